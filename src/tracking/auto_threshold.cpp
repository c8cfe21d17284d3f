#include "tracking/auto_threshold.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
// A pixel is grey when its channels stay within a small spread of their
// mean; saturated colours say nothing about the ink and the paper.
constexpr int kGreySpread = 500;

size_t PixelCount(int xsize, int ysize)
{
    return xsize > 0 && ysize > 0 ? static_cast<size_t>(xsize) * ysize : 0;
}

void ScanPlain(const unsigned char* frame, size_t begin, size_t end, int& darkest, int& brightest)
{
    for (size_t i = begin; i < end; ++i)
    {
        const unsigned char* p = frame + 4 * i;
        const int m = (p[0] + p[1] + p[2]) / 3;
        const int d0 = p[0] - m;
        const int d1 = p[1] - m;
        const int d2 = p[2] - m;
        if (d0 * d0 + d1 * d1 + d2 * d2 >= kGreySpread)
            continue;
        darkest = std::min(darkest, m);
        brightest = std::max(brightest, m);
    }
}

#if defined(__SSE2__)
// With s the channel sum, m = s / 3 and r = s - 3m, the spread about m is
// (sum of the three squared pairwise differences + r^2) / 3. Pairwise, the
// channel range R gives one difference R and two that add up to R, so the
// spread lies between R^2 / 2 and (2 R^2 + 4) / 3: a range up to 27 is
// always grey, from 32 never. Only a range in between needs the exact test,
// rare enough to leave to the plain loop for its 16 pixels.
constexpr int kSureGreyRange = 27;
constexpr int kSureColourRange = 32;
constexpr int kPixelsPerBlock = 16;

// 16 pixels' bytes to one register per channel. The pixel order within a
// register is shuffled, but the same in all three, which is all that the
// per-pixel tests and the minimum and maximum need.
inline void LoadChannels(const unsigned char* pixels, __m128i& c0, __m128i& c1, __m128i& c2)
{
    const __m128i* source = reinterpret_cast<const __m128i*>(pixels);
    const __m128i v0 = _mm_loadu_si128(source);
    const __m128i v1 = _mm_loadu_si128(source + 1);
    const __m128i v2 = _mm_loadu_si128(source + 2);
    const __m128i v3 = _mm_loadu_si128(source + 3);
    const __m128i a0 = _mm_unpacklo_epi8(v0, v1);
    const __m128i a1 = _mm_unpackhi_epi8(v0, v1);
    const __m128i a2 = _mm_unpacklo_epi8(v2, v3);
    const __m128i a3 = _mm_unpackhi_epi8(v2, v3);
    const __m128i b0 = _mm_unpacklo_epi8(a0, a1);
    const __m128i b1 = _mm_unpackhi_epi8(a0, a1);
    const __m128i b2 = _mm_unpacklo_epi8(a2, a3);
    const __m128i b3 = _mm_unpackhi_epi8(a2, a3);
    const __m128i first01 = _mm_unpacklo_epi32(b0, b1); // channels 0 and 1 of pixels 0..7
    const __m128i third01 = _mm_unpackhi_epi32(b0, b1); // channel 2 and the unused byte
    const __m128i first23 = _mm_unpacklo_epi32(b2, b3); // the same for pixels 8..15
    const __m128i third23 = _mm_unpackhi_epi32(b2, b3);
    c0 = _mm_unpacklo_epi64(first01, first23);
    c1 = _mm_unpackhi_epi64(first01, first23);
    c2 = _mm_unpacklo_epi64(third01, third23);
}

void ScanSse2(const unsigned char* frame, size_t pixels, int& darkest, int& brightest)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i greyRange = _mm_set1_epi8(kSureGreyRange);
    const __m128i undecidedRange = _mm_set1_epi8(kSureColourRange - 1);
    const __m128i colourMark = _mm_set1_epi16(1024); // above any sum: never the darkest
    // Per lane, the least and greatest channel sum of a grey pixel; a colour
    // pixel enters as 1024 and up into the one and as -1 into the other.
    __m128i least = _mm_set1_epi16(1024);
    __m128i greatest = _mm_set1_epi16(-1);
    size_t i = 0;
    for (; i + kPixelsPerBlock <= pixels; i += kPixelsPerBlock)
    {
        __m128i c0, c1, c2;
        LoadChannels(frame + 4 * i, c0, c1, c2);
        const __m128i low = _mm_min_epu8(c0, _mm_min_epu8(c1, c2));
        const __m128i high = _mm_max_epu8(c0, _mm_max_epu8(c1, c2));
        const __m128i range = _mm_subs_epu8(high, low);
        const __m128i grey = _mm_cmpeq_epi8(_mm_subs_epu8(range, greyRange), zero);
        const __m128i undecided =
            _mm_andnot_si128(grey, _mm_cmpeq_epi8(_mm_subs_epu8(range, undecidedRange), zero));
        if (_mm_movemask_epi8(undecided) != 0)
        {
            ScanPlain(frame, i, i + kPixelsPerBlock, darkest, brightest);
            continue;
        }
        const __m128i colour = _mm_cmpeq_epi8(grey, zero);
        const __m128i sumLow =
            _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi8(c0, zero), _mm_unpacklo_epi8(c1, zero)),
                          _mm_unpacklo_epi8(c2, zero));
        const __m128i sumHigh =
            _mm_add_epi16(_mm_add_epi16(_mm_unpackhi_epi8(c0, zero), _mm_unpackhi_epi8(c1, zero)),
                          _mm_unpackhi_epi8(c2, zero));
        const __m128i colourLow = _mm_unpacklo_epi8(colour, colour);
        const __m128i colourHigh = _mm_unpackhi_epi8(colour, colour);
        least = _mm_min_epi16(least, _mm_or_si128(sumLow, _mm_and_si128(colourLow, colourMark)));
        least = _mm_min_epi16(least, _mm_or_si128(sumHigh, _mm_and_si128(colourHigh, colourMark)));
        greatest = _mm_max_epi16(greatest, _mm_or_si128(sumLow, colourLow));
        greatest = _mm_max_epi16(greatest, _mm_or_si128(sumHigh, colourHigh));
    }

    // The mean s / 3 grows with the sum, so the extreme sums give the
    // extreme means.
    alignas(16) int16_t leastLanes[8];
    alignas(16) int16_t greatestLanes[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(leastLanes), least);
    _mm_store_si128(reinterpret_cast<__m128i*>(greatestLanes), greatest);
    for (int lane = 0; lane < 8; ++lane)
    {
        if (leastLanes[lane] < 1024)
            darkest = std::min(darkest, leastLanes[lane] / 3);
        if (greatestLanes[lane] >= 0)
            brightest = std::max(brightest, greatestLanes[lane] / 3);
    }
    ScanPlain(frame, i, pixels, darkest, brightest);
}
#endif
} // namespace

int automaticThreshold(const unsigned char* frame, int xsize, int ysize)
{
    int darkest = 256;
    int brightest = -1;
#if defined(__SSE2__)
    ScanSse2(frame, PixelCount(xsize, ysize), darkest, brightest);
#else
    ScanPlain(frame, 0, PixelCount(xsize, ysize), darkest, brightest);
#endif
    return (darkest + brightest) / 2;
}

int automaticThresholdPlain(const unsigned char* frame, int xsize, int ysize)
{
    int darkest = 256;
    int brightest = -1;
    ScanPlain(frame, 0, PixelCount(xsize, ysize), darkest, brightest);
    return (darkest + brightest) / 2;
}

namespace
{
// The histogram behind the move off a crowded level samples one pixel in
// kSampleStep along every kSampleStep-th row: some 8000 pixels at 640 x 480,
// enough for shares of a percent, at a sixteenth of the scan's reading.
constexpr int kSampleStep = 4;
// Levels within kCrowdBand of the threshold, on either side, are where
// noise flips a pixel between dark and bright.
constexpr int kCrowdBand = 8;
// The threshold moves when more than this share of the frame lies that
// close to it: a background at the threshold's level makes half of its
// pixels dark specks, several times the labeling's work for a clear frame.
// Photographs spread their levels: at 5% the rule moved the threshold in
// most of them, and small markers in their darker parts were lost.
constexpr double kCrowdedShare = 0.3;
} // namespace

int automaticThresholdOffCrowd(const unsigned char* frame, int xsize, int ysize)
{
    const int halfway = automaticThreshold(frame, xsize, ysize);
    int histogram[256] = {};
    int samples = 0;
    for (int y = 0; y < ysize; y += kSampleStep)
        for (int x = 0; x < xsize; x += kSampleStep)
        {
            const unsigned char* p = frame + 4 * (static_cast<size_t>(y) * xsize + x);
            ++histogram[(p[0] + p[1] + p[2]) / 3];
            ++samples;
        }
    // Counts within the band around each level, from running sums.
    int cumulative[257] = {};
    for (int level = 0; level < 256; ++level)
        cumulative[level + 1] = cumulative[level] + histogram[level];
    auto near = [&](int level)
    {
        return cumulative[std::min(256, level + kCrowdBand + 1)] -
               cumulative[std::max(0, level - kCrowdBand)];
    };
    if (samples == 0 || near(halfway) <= kCrowdedShare * samples)
        return halfway;

    // The least crowded level in the middle half between the darkest and
    // brightest levels sampled, the nearest to halfway among equals: still
    // well between ink and paper, which is all the edges need.
    int darkest = 0;
    while (histogram[darkest] == 0)
        ++darkest;
    int brightest = 255;
    while (histogram[brightest] == 0)
        --brightest;
    const int low = (darkest + halfway) / 2;
    const int high = (halfway + brightest) / 2;
    int best = halfway;
    for (int distance = 1; halfway - distance >= low || halfway + distance <= high; ++distance)
        for (const int level : {halfway - distance, halfway + distance})
            if (level >= low && level <= high && near(level) < near(best))
                best = level;
    return best;
}

