#include "tracking/auto_threshold.h"

#include <cstddef>

// A pixel is grey when its channels stay within a small spread of their
// mean; saturated colours say nothing about the ink and the paper.
static constexpr int kGreySpread = 500;

int automaticThreshold(const unsigned char* frame, int xsize, int ysize)
{
    int darkest = 256;
    int brightest = -1;
    const size_t pixels = xsize > 0 && ysize > 0 ? static_cast<size_t>(xsize) * ysize : 0;
    for (size_t i = 0; i < pixels; ++i)
    {
        const unsigned char* p = frame + 4 * i;
        const int m = (p[0] + p[1] + p[2]) / 3;
        const int d0 = p[0] - m;
        const int d1 = p[1] - m;
        const int d2 = p[2] - m;
        if (d0 * d0 + d1 * d1 + d2 * d2 >= kGreySpread)
            continue;
        if (m < darkest)
            darkest = m;
        if (m > brightest)
            brightest = m;
    }
    return (darkest + brightest) / 2;
}
