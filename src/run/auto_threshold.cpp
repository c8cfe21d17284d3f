#include "run/auto_threshold.h"

namespace
{
// Squared distance of a pixel's channels from their mean below which the
// pixel counts as grey.
constexpr int kGreyTolerance = 500;
} // namespace

int ComputeAutomaticThreshold(const unsigned char* frame, int width, int height)
{
    int minimum = 256;
    int maximum = -1;
    const long long pixels = static_cast<long long>(width > 0 ? width : 0) * (height > 0 ? height : 0);
    for (long long k = 0; k < pixels; ++k)
    {
        const unsigned char* pixel = frame + 4 * k;
        const int c0 = pixel[0], c1 = pixel[1], c2 = pixel[2];
        const int mean = (c0 + c1 + c2) / 3;
        const int spread = (c0 - mean) * (c0 - mean) + (c1 - mean) * (c1 - mean) +
                           (c2 - mean) * (c2 - mean);
        if (spread >= kGreyTolerance)
            continue;
        if (mean < minimum)
            minimum = mean;
        if (mean > maximum)
            maximum = mean;
    }
    if (maximum < 0)
        return 127;
    return (minimum + maximum) / 2;
}
