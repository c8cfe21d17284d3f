#include "tracking/line_fit.h"

#include "tracking/camera_param.h"
#include "tracking/edge_refine.h"
#include "tracking/matrix_toolkit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

// The contour runs through the centres of the outermost dark pixels, which lie
// anywhere from 0 to max(|cos|, |sin|) of the edge's direction inside it: half
// a pixel on average for an upright edge, 0.35 px at 45 degrees. Left
// uncorrected, every square looks a pixel smaller than it is; a fixed half
// pixel makes a turned square too large.
static constexpr double kEdgeOffsetPx = 0.5;

// Edge points fitted per side: enough to average out noise and the
// staircase, few enough that their undistortion costs little.
static constexpr int kEdgeSamples = 32;

namespace
{

// Writes the side's points, observed, into scratch as x, y pairs: the
// sub-pixel edge points when at least half the points tried give one,
// else the contour itself. True when they are edge points.
bool SidePoints(const Candidate& candidate, const EdgeFrame& frame, int first, int n,
                std::vector<double>& scratch, int* count)
{
    scratch.resize(2 * static_cast<size_t>(n));
    if (frame.pixels)
    {
        const int last = first + n - 1;
        const double dx = candidate.x[last] - candidate.x[first];
        const double dy = candidate.y[last] - candidate.y[first];
        const double midX = 0.5 * (candidate.x[last] + candidate.x[first]);
        const double midY = 0.5 * (candidate.y[last] + candidate.y[first]);
        const bool flip = dy * (midX - candidate.pos[0]) - dx * (midY - candidate.pos[1]) < 0.0;
        const double nx = flip ? -dy : dy;
        const double ny = flip ? dx : -dx;
        const EdgeDirection direction = edgeDirection(frame, nx, ny);
        // Evenly spread, at most kEdgeSamples of them: more would only cost
        // time. The spacing is rarely whole, so the samples do not all fall
        // on the same step of a slanted side's staircase.
        const int samples = std::min(n, kEdgeSamples);
        int refined = 0;
        for (int k = 0; k < samples; ++k)
        {
            const int i = first + static_cast<int>(static_cast<int64_t>(k) * n / samples);
            refined += findEdgeCrossing(frame, direction, candidate.x[i], candidate.y[i],
                                        &scratch[2 * refined], &scratch[2 * refined + 1]);
        }
        if (refined >= 2 && 2 * refined >= samples)
        {
            *count = refined;
            return true;
        }
    }
    for (int i = 0; i < n; ++i)
    {
        scratch[2 * i] = candidate.x[first + i];
        scratch[2 * i + 1] = candidate.y[first + i];
    }
    *count = n;
    return false;
}

} // namespace

int fitMarkerLines(const Candidate& candidate, const EdgeFrame& frame, const double distFactor[4],
                   std::vector<double>& scratch, double line[4][3], double vertex[4][2])
{
    double centreX, centreY;
    observedToIdeal(distFactor, candidate.pos[0], candidate.pos[1], &centreX, &centreY);
    const double pixelScale = 1.0 / distFactor[3];

    for (int side = 0; side < 4; ++side)
    {
        const int s = candidate.vertex[side];
        const int e = candidate.vertex[side + 1];
        const double margin = (e - s + 1) * 0.05 + 0.5;
        const int first = static_cast<int>(s + margin);
        const int last = static_cast<int>(e - margin);
        if (last - first + 1 < 2)
            return -1;

        int n = 0;
        const bool onEdge = SidePoints(candidate, frame, first, last - first + 1, scratch, &n);
        for (int i = 0; i < n; ++i)
            observedToIdeal(distFactor, scratch[2 * i], scratch[2 * i + 1], &scratch[2 * i],
                            &scratch[2 * i + 1]);

        // The toolkit's records are wrapped around local storage: a frame's
        // line fits allocate nothing.
        double eigenvectorData[4];
        double eigenvalueData[2];
        double meanData[2];
        const Matrix points{scratch.data(), n, 2};
        Matrix eigenvectors{eigenvectorData, 2, 2};
        Vector eigenvalues{eigenvalueData, 2};
        Vector mean{meanData, 2};
        if (matrixPCA(&points, &eigenvectors, &eigenvalues, &mean) < 0)
            return -1;

        const double ex = eigenvectorData[0];
        const double ey = eigenvectorData[1];
        line[side][0] = ey;
        line[side][1] = -ex;
        line[side][2] = -(ey * meanData[0] - ex * meanData[1]);
        const double centreSide = ey * centreX - ex * centreY + line[side][2];
        const double edgeOffset =
            onEdge ? 0.0 : kEdgeOffsetPx * std::max(std::fabs(ex), std::fabs(ey)) * pixelScale;
        line[side][2] += centreSide < 0.0 ? -edgeOffset : edgeOffset;
    }

    for (int i = 0; i < 4; ++i)
    {
        const double* l1 = line[(i + 3) % 4];
        const double* l2 = line[i];
        const double w = l1[0] * l2[1] - l2[0] * l1[1];
        if (w == 0.0)
            return -1;
        vertex[i][0] = (l1[1] * l2[2] - l2[1] * l1[2]) / w;
        vertex[i][1] = (l2[0] * l1[2] - l1[0] * l2[2]) / w;
    }
    return 0;
}
