#include "tracking/marker_history.h"

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

void InheritIdentities(MarkerInfo* results, int resultCount, const HistoryEntry* history,
                       int historyCount)
{
    for (int h = 0; h < historyCount; ++h)
    {
        const MarkerInfo& previous = history[h].marker;
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

void Age(HistoryEntry* history, int& historyCount)
{
    int kept = 0;
    for (int h = 0; h < historyCount; ++h)
    {
        if (++history[h].age > kHistoryFrames)
            continue;
        history[kept++] = history[h];
    }
    historyCount = kept;
}

void Record(const MarkerInfo* results, int resultCount, HistoryEntry* history, int& historyCount)
{
    for (int r = 0; r < resultCount; ++r)
    {
        if (results[r].id < 0)
            continue;
        int h = 0;
        while (h < historyCount && history[h].marker.id != results[r].id)
            ++h;
        if (h == historyCount)
        {
            if (historyCount == kMaxMarkers)
                continue;
            ++historyCount;
        }
        history[h].marker = results[r];
        history[h].age = 1;
    }
}

void ReportMissed(MarkerInfo* results, int& resultCount, const HistoryEntry* history,
                  int historyCount)
{
    for (int h = 0; h < historyCount && resultCount < kMaxMarkers; ++h)
    {
        bool seen = false;
        for (int r = 0; r < resultCount && !seen; ++r)
        {
            double distance;
            seen = SamePlace(history[h].marker, results[r], distance);
        }
        if (!seen)
            results[resultCount++] = history[h].marker;
    }
}
} // namespace

int applyMarkerHistory(MarkerInfo* results, int& resultCount, HistoryEntry* history,
                       int& historyCount)
{
    InheritIdentities(results, resultCount, history, historyCount);
    for (int r = 0; r < resultCount; ++r)
        if (results[r].cf < kMinConfidence)
            results[r].id = -1;
    Age(history, historyCount);
    Record(results, resultCount, history, historyCount);
    const int seen = resultCount;
    ReportMissed(results, resultCount, history, historyCount);
    return seen;
}
