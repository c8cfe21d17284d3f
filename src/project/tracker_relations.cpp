#include "project/pattern_state.h"
#include "project/tracker.h"

namespace
{
// How much less a record kept from a recent frame is trusted than a sighting.
constexpr float kKeptTrust = 0.5f;
} // namespace

void CTracker::BuildRelations()
{
    if (!m_relations.empty())
        return;
    m_nNodes = static_cast<int>(m_patterns.size()) + 1;
    m_nReference = -1;
    m_relations.assign(static_cast<size_t>(m_nNodes) * m_nNodes, CPatternRelation());
    int index = 0;
    for (auto it = m_patterns.begin(); it != m_patterns.end(); ++it, ++index)
    {
        if (it == m_posReference)
            m_nReference = index;
        m_idToIndex[it->m_nId] = index;
    }
}

void CTracker::ReleaseRelations()
{
    m_relations.clear();
    m_relations.shrink_to_fit();
    m_nNodes = 0;
    m_idToIndex.clear();
    m_nReference = -1;
    m_observations.clear();
}

void CTracker::BeginFrame()
{
    m_observations.clear();
    const int camera = m_nNodes - 1;
    for (int k = 0; k < camera; ++k)
    {
        Relation(camera, k).Clear();
        Relation(k, camera).Clear();
    }
}

void CTracker::AddObservation(CPatternState* state, bool recordRelations, bool seenNow)
{
    const auto found = m_idToIndex.find(state->m_nId);
    if (found == m_idToIndex.end())
        return;
    const int index = found->second;
    const int camera = m_nNodes - 1;
    if (index < 0 || index >= m_nNodes)
        return;

    const CMatrix matrix = state->GetGLMatrix();
    const CMatrix inverse = matrix.Inverse();
    const float weight = static_cast<float>(state->m_dConfidence) * (seenNow ? 1.0f : kKeptTrust);
    Relation(camera, index).Set(matrix, weight);
    Relation(index, camera).Set(inverse, weight);
    // A kept record paired with this frame's sighting of another pattern
    // would relate two different moments of a moving tracker.
    if (!recordRelations || !seenNow)
        return;

    for (CPatternState* other : m_observations)
    {
        const auto otherFound = m_idToIndex.find(other->m_nId);
        if (otherFound == m_idToIndex.end())
            continue;
        const int otherIndex = otherFound->second;
        if (otherIndex < 0 || otherIndex >= m_nNodes || otherIndex == index)
            continue;
        const CMatrix otherMatrix = other->GetGLMatrix();
        // A relation is only as trusted as the weaker of its two sightings.
        const float pairWeight =
            weight <= other->m_dConfidence ? weight : static_cast<float>(other->m_dConfidence);
        Relation(otherIndex, index).Set(otherMatrix.Inverse() * matrix, pairWeight);
        Relation(index, otherIndex).Set(inverse * otherMatrix, pairWeight);
    }
    m_observations.push_back(state);
}
