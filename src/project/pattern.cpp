#include "project/pattern.h"

#include "formats/archive.h"

CPattern& CPattern::operator=(const CPattern& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void CPattern::Copy(const CPattern& other)
{
    m_strName = other.m_strName;
    m_strFile = other.m_strFile;
    m_nWidth = other.m_nWidth;
    m_nFrames = other.m_nFrames;
    m_fTolerance = other.m_fTolerance;
    m_filter = other.m_filter;
    m_fMinCutoff = other.m_fMinCutoff;
    m_fSpeedGain = other.m_fSpeedGain;
}

void CPattern::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteString(m_strName);
        ar.WriteString(m_strFile);
        ar.WriteI32(m_nWidth);
        ar.WriteI32(m_nFrames);
        ar.WriteF32(m_fTolerance);
    }
    else
    {
        m_strName = ar.ReadString();
        m_strFile = ar.ReadString();
        m_nWidth = ar.ReadI32();
        m_nFrames = ar.ReadI32();
        m_fTolerance = ar.ReadF32();
        m_nId = -1;
    }
}
