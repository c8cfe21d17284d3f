#include "tracking/edge_refine.h"

#include <cmath>
#include <cstddef>

namespace
{

// Samples from kInner pixels inside the contour point to kOuter outside it.
// The printed edge lies within a pixel and a half of the contour point (the
// row or column meets the edge at 45 degrees at worst), so the two outermost
// samples at each end show ink and paper, unless the border is thinner than
// four pixels.
constexpr int kInner = 3;
constexpr int kOuter = 4;
constexpr int kSamples = kInner + kOuter + 1;

// Ink and paper must differ by more than noise and shading do: 16 grey
// levels on each channel.
constexpr int kMinStep = 3 * 16;

inline int ChannelSum(const unsigned char* pixel)
{
    return pixel[0] + pixel[1] + pixel[2];
}

} // namespace

EdgeDirection edgeDirection(const EdgeFrame& frame, double nx, double ny)
{
    EdgeDirection direction;
    direction.alongRow = std::fabs(nx) >= std::fabs(ny);
    direction.step = (direction.alongRow ? nx : ny) >= 0.0 ? 1 : -1;
    direction.stride = direction.alongRow
                           ? 4 * direction.step
                           : 4 * static_cast<ptrdiff_t>(frame.xsize) * direction.step;
    return direction;
}

bool findEdgeCrossing(const EdgeFrame& frame, const EdgeDirection& direction, int x, int y,
                      double* edgeX, double* edgeY)
{
    const int along = direction.alongRow ? x : y;
    const int limit = direction.alongRow ? frame.xsize : frame.ysize;
    const int near = along - kInner * direction.step;
    const int far = along + kOuter * direction.step;
    if (near < 0 || near >= limit || far < 0 || far >= limit)
        return false;

    const unsigned char* centre =
        frame.pixels + 4 * (static_cast<size_t>(y) * frame.xsize + static_cast<size_t>(x));
    int sum[kSamples];
    for (int k = 0; k < kSamples; ++k)
        sum[k] = ChannelSum(centre + (k - kInner) * direction.stride);

    // Both levels doubled, so the halfway level is their sum over four.
    const int ink = sum[0] + sum[1];
    const int paper = sum[kSamples - 2] + sum[kSamples - 1];
    if (ink > 2 * frame.darkSum || paper <= 2 * frame.darkSum || paper - ink < 2 * kMinStep)
        return false;
    const double half = (ink + paper) * 0.25;

    // The first crossing outwards: between ink and paper the level only
    // rises, noise apart, and noise cannot reach halfway.
    for (int k = 1; k < kSamples - 2; ++k)
    {
        if (sum[k] <= half && sum[k + 1] > half)
        {
            const double t = (k - kInner + (half - sum[k]) / (sum[k + 1] - sum[k])) * direction.step;
            *edgeX = x + (direction.alongRow ? t : 0.0);
            *edgeY = y + (direction.alongRow ? 0.0 : t);
            return true;
        }
    }
    return false;
}
