#include "project/tracker.h"

#include "formats/archive.h"

#include <iterator>

namespace
{
// Smallest records the file format allows, to bound counts read from a file.
constexpr size_t kMinPatternRecordBytes = 1 + 1 + 4 + 4 + 4;
constexpr size_t kMinModelRecordBytes = 1 + 1 + 16 * 8;
} // namespace

CTracker::CTracker() : m_posReference(m_patterns.end()) {}

CTracker::CTracker(const CTracker& other) : m_posReference(m_patterns.end()) { Copy(other); }

CTracker::~CTracker() { ReleaseRelations(); }

CTracker& CTracker::operator=(const CTracker& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void CTracker::Copy(const CTracker& other)
{
    m_strName = other.m_strName;
    m_patterns.clear();
    m_posReference = m_patterns.end();
    for (auto it = other.m_patterns.begin(); it != other.m_patterns.end(); ++it)
    {
        m_patterns.push_back(*it);
        if (it == other.m_posReference)
            m_posReference = std::prev(m_patterns.end());
    }
    m_models.clear();
    for (const CModel3D& model : other.m_models)
        m_models.push_back(model);
    m_pose = other.m_pose;
    m_bFound = other.m_bFound;
    ReleaseRelations();
}

int CTracker::ReferenceIndex() const
{
    return static_cast<int>(std::distance(
        m_patterns.begin(), std::list<CPattern>::const_iterator(m_posReference)));
}

void CTracker::SetReferenceIndex(int index)
{
    m_posReference = m_patterns.begin();
    for (int k = 0; k < index && m_posReference != m_patterns.end(); ++k)
        ++m_posReference;
}

void CTracker::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteString(m_strName);
        ar.WriteI32(ReferenceIndex());
        ar.WriteU32(static_cast<uint32_t>(m_patterns.size()));
        for (CPattern& pattern : m_patterns)
            pattern.Serialize(ar);
        ar.WriteU32(static_cast<uint32_t>(m_models.size()));
        for (CModel3D& model : m_models)
            model.Serialize(ar);
        return;
    }

    m_strName = ar.ReadString();
    const int referenceIndex = ar.ReadI32();
    m_patterns.clear();
    m_models.clear();
    m_posReference = m_patterns.end();

    ar.ReadRecords(m_patterns, kMinPatternRecordBytes, "patterns", "pattern");
    SetReferenceIndex(referenceIndex);
    ar.ReadRecords(m_models, kMinModelRecordBytes, "models", "model");
    ReleaseRelations();
}
