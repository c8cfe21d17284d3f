#include "project/tracker.h"

#include <vector>

// Weights multiply along a path and never exceed 1, so a node taken from
// the open list can no longer improve: the first time the camera is taken,
// its predecessor chain is the most trusted path to the reference.
void CTracker::ComputePose()
{
    if (m_nReference == -1)
    {
        m_bFound = false;
        return;
    }
    constexpr float kUnreached = -1.0f;
    const int n = m_nNodes;
    const int camera = n - 1;
    std::vector<float> weight(n, kUnreached);
    std::vector<int> predecessor(n);
    for (int v = 0; v < n; ++v)
        predecessor[v] = v;
    weight[m_nReference] = 1.0f;
    std::vector<int> open = {m_nReference};

    while (!open.empty())
    {
        // Greatest weight first; ties go to the node appended first.
        size_t best = 0;
        for (size_t k = 1; k < open.size(); ++k)
            if (weight[open[k]] > weight[open[best]])
                best = k;
        const int u = open[best];
        open.erase(open.begin() + best);

        if (u == camera)
        {
            CMatrix pose;
            for (int k = camera; k != m_nReference; k = predecessor[k])
                pose = pose * Relation(k, predecessor[k]).m_matrix;
            m_pose = pose;
            m_bFound = true;
            return;
        }

        for (int v = 0; v < n; ++v)
        {
            if (v == u || !Relation(v, u).m_bValid)
                continue;
            const float reached =
                static_cast<float>(static_cast<double>(weight[u]) * Relation(v, u).m_fWeight);
            if (weight[v] == kUnreached)
            {
                weight[v] = reached;
                predecessor[v] = u;
                open.push_back(v);
            }
            else if (reached > weight[v])
            {
                // Only a more trusted path replaces the one found before;
                // comparing the expanded node's own weight instead would
                // let a weak last link replace a strong direct sighting.
                weight[v] = reached;
                predecessor[v] = u;
            }
        }
    }
    m_bFound = false;
}
