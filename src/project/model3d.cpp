#include "project/model3d.h"

#include "formats/archive.h"

CModel3D& CModel3D::operator=(const CModel3D& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void CModel3D::Copy(const CModel3D& other)
{
    m_strName = other.m_strName;
    m_strFile = other.m_strFile;
    m_matrix = other.m_matrix;
}

void CModel3D::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteString(m_strName);
        ar.WriteString(m_strFile);
    }
    else
    {
        m_strName = ar.ReadString();
        m_strFile = ar.ReadString();
    }
    m_matrix.Serialize(ar);
}
