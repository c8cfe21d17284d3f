#include "tracking/contour.h"

#include "tracking/square_check.h"

#include <algorithm>
#include <cstdio>

namespace
{
// Directions 0..7 clockwise from straight up (image y grows downwards).
constexpr int kStepX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kStepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

// A contour is traced into one buffer of the largest size a contour may
// reach; a candidate keeps a copy of only its own points, in a slot whose
// buffers are reused from frame to frame.
void EnsureTraceBuffer(Candidate& trace)
{
    if (static_cast<int>(trace.x.size()) == kMaxContourPoints)
        return;
    trace.x.resize(kMaxContourPoints);
    trace.y.resize(kMaxContourPoints);
}

void Keep(const Candidate& trace, const Region& region, Candidate& candidate)
{
    candidate.x.assign(trace.x.begin(), trace.x.begin() + trace.pointCount);
    candidate.y.assign(trace.y.begin(), trace.y.begin() + trace.pointCount);
    candidate.pointCount = trace.pointCount;
    std::copy(trace.vertex, trace.vertex + 5, candidate.vertex);
    candidate.area = region.area;
    candidate.pos[0] = region.pos[0];
    candidate.pos[1] = region.pos[1];
}
} // namespace

int traceContour(const LabelTables& tables, int regionNumber, Candidate& candidate)
{
    // The region's first pixel in raster order is the leftmost dark pixel of
    // its top row and started its smallest label, whose column labeling kept.
    const Region& region = tables.regions[regionNumber - 1];
    const int startX = region.startX;
    if (startX < region.minX || startX > region.maxX || !tables.DarkAt(startX, region.minY))
    {
        std::printf("??? 1\n");
        return -1;
    }
    const int startY = region.minY;

    int* xs = candidate.x.data();
    int* ys = candidate.y.data();
    const unsigned char* dark = tables.dark.data();
    const int stride = tables.xsize;
    xs[0] = startX;
    ys[0] = startY;
    int count = 1;
    int dir = 5;
    int x = startX;
    int y = startY;
    for (;;)
    {
        // Back up three steps from the way we came and sweep clockwise: the
        // first dark neighbour keeps the region on the same side.
        dir = (dir + 5) % 8;
        int tries = 0;
        for (; tries < 8; ++tries)
        {
            if (dark[(y + kStepY[dir]) * stride + x + kStepX[dir]])
                break;
            dir = (dir + 1) % 8;
        }
        if (tries == 8)
        {
            std::printf("??? 2\n");
            return -1;
        }
        x += kStepX[dir];
        y += kStepY[dir];
        if (x == startX && y == startY)
            break;
        xs[count] = x;
        ys[count] = y;
        ++count;
        if (count == kMaxContourPoints - 1)
        {
            std::printf("??? 3\n");
            return -1;
        }
    }

    int farthest = 0;
    int farthestDistance = 0;
    for (int i = 1; i < count; ++i)
    {
        const int dx = xs[i] - startX;
        const int dy = ys[i] - startY;
        const int distance = dx * dx + dy * dy;
        if (distance > farthestDistance)
        {
            farthestDistance = distance;
            farthest = i;
        }
    }
    std::rotate(xs, xs + farthest, xs + count);
    std::rotate(ys, ys + farthest, ys + count);
    xs[count] = xs[0];
    ys[count] = ys[0];
    candidate.pointCount = count + 1;
    return 0;
}

void findMarkerCandidates(DetectionState& state)
{
    EnsureTraceBuffer(state.trace);
    const LabelTables& tables = state.labels;
    int count = 0;
    for (int n = 1; n <= static_cast<int>(tables.regions.size()); ++n)
    {
        const Region& region = tables.regions[n - 1];
        if (region.area < kMinRegionArea || region.area > kMaxRegionArea)
            continue;
        if (region.minX == 1 || region.maxX == tables.xsize - 2 || region.minY == 1 ||
            region.maxY == tables.ysize - 2)
            continue;
        if (traceContour(tables, n, state.trace) < 0)
            continue;
        if (checkSquare(state.trace, region.area, 1.0) < 0)
            continue;
        if (count == static_cast<int>(state.candidates.size()))
            state.candidates.emplace_back();
        Keep(state.trace, region, state.candidates[count]);
        ++count;
    }
    removeNestedCandidates(state.candidates, count);
    state.candidateCount = count;
}

void removeNestedCandidates(std::vector<Candidate>& candidates, int& count)
{
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
        {
            Candidate& a = candidates[i];
            Candidate& b = candidates[j];
            const double dx = a.pos[0] - b.pos[0];
            const double dy = a.pos[1] - b.pos[1];
            const double distance = dx * dx + dy * dy;
            if (a.area > b.area && distance < a.area / 4)
                b.area = 0;
            else if (distance < b.area / 4)
                a.area = 0;
        }

    // Swapping keeps the big contour buffers allocated in the tail slots.
    int kept = 0;
    for (int i = 0; i < count; ++i)
        if (candidates[i].area != 0)
        {
            if (i != kept)
                std::swap(candidates[kept], candidates[i]);
            ++kept;
        }
    count = kept;
}
