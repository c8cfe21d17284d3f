#include "model/model3d.h"

#include "model/archive.h"
#include "model/safe_3ds_load.h"
#include "model/user_messages.h"

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

bool CModel3D::Load()
{
    if (m_scene.Load(ResolveWindowsPath(m_strFile)))
        return true;
    if (!m_scene.IsLoaded())
        ShowMessage("File '" + m_strFile + "' not found", "Debug", MessageIcon::None,
                    MessageButtons::Ok);
    return false;
}

void CModel3D::Reload()
{
    m_scene.Unload();
    Load();
}

void CModel3D::Draw()
{
    m_matrix.GLMult();
    m_scene.Render();
}
