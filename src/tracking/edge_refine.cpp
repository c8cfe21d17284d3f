#include "tracking/edge_refine.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace
{

// How far from the contour point the grey levels are read, px inwards and
// outwards. The contour point lies somewhere on the ramp between ink and
// paper, wherever the threshold crosses it; the ramp of a 7 px motion blur,
// seen along a row at up to 45 degrees, and the samples beyond it on each
// side must fit. The ramp's measured ends, not the reach, decide where ink
// and paper are read, so a small marker's border is not overrun.
constexpr int kReachIn = 10;
constexpr int kReachOut = 11;
constexpr int kSamples = kReachIn + kReachOut + 1;

// Ink and paper must differ by more than noise and shading do: 16 grey
// levels on each channel.
constexpr int kMinStep = 3 * 16;

// The ramp goes on while each pixel rises by this share of the steepest
// step next to the contour point, and by kMinRampRise at least (channel
// sums, about three times a webcam's noise on the difference of two
// pixels). A lower share reaches further into the ramp's soft ends, and
// into noise on a flat level.
constexpr double kRampShare = 0.2;
constexpr int kMinRampRise = 24;

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
    // Samples k = -inner..outer lie on the frame; sample k is s[kReachIn + k].
    const int along = direction.alongRow ? x : y;
    const int limit = direction.alongRow ? frame.xsize : frame.ysize;
    const int before = direction.step > 0 ? along : limit - 1 - along;
    const int after = limit - 1 - before;
    const int inner = std::min(kReachIn, before);
    const int outer = std::min(kReachOut, after);
    if (inner < 3 || outer < 4)
        return false;

    const unsigned char* centre =
        frame.pixels + 4 * (static_cast<size_t>(y) * frame.xsize + static_cast<size_t>(x));
    // Most ramps are a pixel or two wide: read the samples next to the
    // contour point now and the rest only as the ramp reaches them, since a
    // step across rows is a cache miss.
    int samples[kSamples];
    int* s = samples + kReachIn;
    int lowest = -3;
    int highest = 4;
    for (int k = lowest; k <= highest; ++k)
        s[k] = ChannelSum(centre + k * direction.stride);
    const auto readDownTo = [&](int k) {
        for (; lowest > k; --lowest)
            s[lowest - 1] = ChannelSum(centre + (lowest - 1) * direction.stride);
    };
    const auto readUpTo = [&](int k) {
        for (; highest < k; ++highest)
            s[highest + 1] = ChannelSum(centre + (highest + 1) * direction.stride);
    };

    // The contour point is the outermost dark pixel: the ramp passes
    // between it and the next one out. Its extent is measured from there,
    // so that ink and paper are read beyond the whole ramp, however wide
    // the blur has made it.
    const int steepest = std::max({s[0] - s[-1], s[1] - s[0], s[2] - s[1]});
    const int rise = std::max(kMinRampRise, static_cast<int>(kRampShare * steepest));
    int a = 0;
    while (a - 2 > -inner && s[a] - s[a - 1] >= rise)
    {
        --a;
        readDownTo(a - 2);
    }
    int b = 1;
    while (b + 2 < outer && s[b + 1] - s[b] >= rise)
    {
        ++b;
        readUpTo(b + 2);
    }

    // Both levels doubled, so the halfway level is their sum over four. They
    // are read a pixel beyond the ramp's ends: a pixel that the edge only
    // grazes may rise by less than the ramp's share.
    const int ink = s[a - 1] + s[a - 2];
    const int paper = s[b + 1] + s[b + 2];
    const int darkSum = frame.DarkSumAt(x, y);
    if (ink > 2 * darkSum || paper <= 2 * darkSum || paper - ink < 2 * kMinStep)
        return false;
    const double half = (ink + paper) * 0.25;

    // The first crossing outwards: between ink and paper the level only
    // rises, noise apart, and noise cannot reach halfway.
    for (int k = a; k < b; ++k)
    {
        if (s[k] <= half && s[k + 1] > half)
        {
            const double t = (k + (half - s[k]) / (s[k + 1] - s[k])) * direction.step;
            *edgeX = x + (direction.alongRow ? t : 0.0);
            *edgeY = y + (direction.alongRow ? 0.0 : t);
            return true;
        }
    }
    return false;
}
