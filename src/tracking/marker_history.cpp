#include "tracking/marker_history.h"

#include <cstddef>

namespace
{
// Same marker in two frames: similar area and a centroid that moved by less
// than a fraction of the marker's size.
bool SamePlace(const MarkerInfo& previous, const MarkerInfo& current, double& distance)
{
    const double ratio = static_cast<double>(previous.area) / current.area;
    if (ratio < 0.7 || ratio > 1.43)
        return false;
    const double dx = current.pos[0] - previous.pos[0];
    const double dy = current.pos[1] - previous.pos[1];
    distance = (dx * dx + dy * dy) / current.area;
    return distance < 0.5;
}

// The quarter turn between the two records' corner orders.
int CornerShift(const MarkerInfo& previous, const MarkerInfo& current)
{
    double best = 1e8;
    int shift = 0;
    for (int j = 0; j < 4; ++j)
    {
        double diff = 0.0;
        for (int k = 0; k < 4; ++k)
        {
            const double dx = previous.vertex[k][0] - current.vertex[(j + k) % 4][0];
            const double dy = previous.vertex[k][1] - current.vertex[(j + k) % 4][1];
            diff += dx * dx + dy * dy;
        }
        if (diff < best)
        {
            best = diff;
            shift = j;
        }
    }
    return shift;
}

void InheritIdentities(std::vector<MarkerInfo>& results, const std::vector<HistoryEntry>& history)
{
    const int resultCount = static_cast<int>(results.size());
    for (const HistoryEntry& entry : history)
    {
        const MarkerInfo& previous = entry.marker;
        int match = -1;
        double bestDistance = 10.0;
        for (int r = 0; r < resultCount; ++r)
        {
            double distance;
            if (SamePlace(previous, results[r], distance) && distance < bestDistance)
            {
                bestDistance = distance;
                match = r;
            }
        }
        if (match < 0 || results[match].cf >= previous.cf)
            continue;
        MarkerInfo& current = results[match];
        current.cf = previous.cf;
        current.id = previous.id;
        current.dir = (previous.dir - CornerShift(previous, current) + 4) % 4;
    }
}

void Age(std::vector<HistoryEntry>& history)
{
    size_t kept = 0;
    for (HistoryEntry& entry : history)
    {
        if (++entry.age > kHistoryFrames)
            continue;
        history[kept++] = entry;
    }
    history.resize(kept);
}

void Record(const std::vector<MarkerInfo>& results, std::vector<HistoryEntry>& history)
{
    for (const MarkerInfo& result : results)
    {
        if (result.id < 0)
            continue;
        size_t h = 0;
        while (h < history.size() && history[h].marker.id != result.id)
            ++h;
        if (h == history.size())
            history.emplace_back();
        history[h].marker = result;
        history[h].age = 1;
    }
}

void ReportMissed(std::vector<MarkerInfo>& results, const std::vector<HistoryEntry>& history)
{
    for (const HistoryEntry& entry : history)
    {
        bool seen = false;
        for (size_t r = 0; r < results.size() && !seen; ++r)
        {
            double distance;
            seen = SamePlace(entry.marker, results[r], distance);
        }
        if (!seen)
            results.push_back(entry.marker);
    }
}
} // namespace

int applyMarkerHistory(std::vector<MarkerInfo>& results, std::vector<HistoryEntry>& history)
{
    InheritIdentities(results, history);
    for (MarkerInfo& result : results)
        if (result.cf < kMinConfidence)
            result.id = -1;
    Age(history);
    Record(results, history);
    const int seen = static_cast<int>(results.size());
    ReportMissed(results, history);
    return seen;
}
