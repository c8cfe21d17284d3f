#include "tracking/adaptive_threshold.h"

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
constexpr int kTilePx = kAdaptiveTilePx;

// The window reaches this many tiles beyond a pixel's own on each side: a
// window of 40 px. It must hold paper beside the border of the smallest
// marker (a region of 70 px, a square of about 12 px), so the border's ink
// is below the mean; a larger window averages across a shadow's edge and
// leaves paper in the shadow below the mean of the lit side. A broad stretch
// of ink (the border of a marker close to the camera) is above the mean at
// its middle and leaves a hole there, which the outer contour never sees.
constexpr int kWindowRadiusTiles = 2;

// A pixel is dark when it lies below the window's mean by this share of the
// mean, and by kMinOffset grey levels at least. The share scales with the
// light, as the contrast of ink and paper does; the least offset keeps a
// webcam's noise on flat paper or in a dark corner from counting as ink.
// Lower values find fainter markers but speckle textured scenes, which
// costs labeling time and brings the marker checks more squares to refuse.
constexpr double kOffsetShare = 0.25;
constexpr int kMinOffset = 16;

// Rows summed into the tiles: one in kRowStep. It must divide kTilePx, so
// that every tile gets the same share of its rows.
constexpr int kRowStep = 4;

size_t Index(int x, int y, int width)
{
    return static_cast<size_t>(y) * width + x;
}

// Channel sum of `count` pixels from `pixels`.
uint32_t SumPlain(const unsigned char* pixels, int count)
{
    uint32_t sum = 0;
    for (int i = 0; i < count; ++i)
        sum += pixels[4 * i] + pixels[4 * i + 1] + pixels[4 * i + 2];
    return sum;
}

// Adds the channel sums of one row to its tile row's sums: whole tiles
// eight pixels at a time with SSE2 where the compiler targets it.
void AddRow(const unsigned char* pixels, int xsize, uint32_t* tileSums)
{
    const int wholeTiles = xsize / kTilePx;
    int tile = 0;
#if defined(__SSE2__)
    static_assert(kTilePx == 8, "the SSE2 path sums eight pixels, two registers");
    const __m128i noFourth = _mm_set1_epi32(0x00FFFFFF);
    const __m128i zero = _mm_setzero_si128();
    for (; tile < wholeTiles; ++tile)
    {
        const __m128i* source = reinterpret_cast<const __m128i*>(pixels + 4 * kTilePx * tile);
        const __m128i a = _mm_and_si128(_mm_loadu_si128(source), noFourth);
        const __m128i b = _mm_and_si128(_mm_loadu_si128(source + 1), noFourth);
        const __m128i sums = _mm_add_epi64(_mm_sad_epu8(a, zero), _mm_sad_epu8(b, zero));
        tileSums[tile] += static_cast<uint32_t>(_mm_cvtsi128_si32(sums)) +
                          static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
#endif
    for (; tile < wholeTiles; ++tile)
        tileSums[tile] += SumPlain(pixels + 4 * kTilePx * tile, kTilePx);
    if (wholeTiles * kTilePx < xsize)
        tileSums[wholeTiles] +=
            SumPlain(pixels + 4 * kTilePx * wholeTiles, xsize - wholeTiles * kTilePx);
}

// Linear interpolation between tile centres in integers: the centres lie
// half a pixel off the grid, so a row's weight is an odd number of
// 2 * kTilePx-ths.
inline int Blend(int a, int b, int weight)
{
    return (a * (2 * kTilePx - weight) + b * weight) / (2 * kTilePx);
}

// Tile row before the row's position between centres, and the next one's weight.
inline void Between(int position, int tiles, int* tile, int* weight)
{
    const int fromFirstCentre = position - kTilePx / 2;
    if (fromFirstCentre < 0)
    {
        *tile = 0;
        *weight = 0;
        return;
    }
    *tile = fromFirstCentre / kTilePx;
    *weight = 2 * (fromFirstCentre - *tile * kTilePx) + 1;
    if (*tile >= tiles - 1)
    {
        *tile = tiles - 1;
        *weight = 0;
    }
}
} // namespace

int AdaptiveThresholdMap::DarkSumAt(int x, int y) const
{
    const int tx = std::clamp(x / kTilePx, 0, tilesX - 1);
    const int ty = std::clamp(y / kTilePx, 0, tilesY - 1);
    return tileLimit[Index(tx, ty, tilesX)];
}

void beginAdaptiveThreshold(const unsigned char* frame, int xsize, int ysize,
                            AdaptiveThresholdMap& map)
{
    map.frame = frame;
    map.xsize = std::max(xsize, 0);
    map.ysize = std::max(ysize, 0);
    map.tilesX = (map.xsize + kTilePx - 1) / kTilePx;
    map.tilesY = (map.ysize + kTilePx - 1) / kTilePx;
    const size_t tiles = static_cast<size_t>(map.tilesX) * map.tilesY;
    map.tileSums.assign(tiles, 0);
    map.tileLimit.resize(tiles);
    map.rowLimit.resize(map.tilesX);
    map.integral.assign(static_cast<size_t>(map.tilesX + 1) * (map.tilesY + 1), 0);
    map.summedTileRows = 0;
    map.limitTileRows = 0;
}

// Makes the limits of tile rows 0..tileRow ready, summing the tiles that
// their windows reach first. Called as labeling goes down the frame, the
// sums read each row a few tile rows ahead of the dark test, which then
// finds it in the cache: the frame is read from memory once.
void EnsureLimits(AdaptiveThresholdMap& map, int tileRow)
{
    const int stride = map.tilesX + 1;
    tileRow = std::min(tileRow, map.tilesY - 1);
    for (; map.limitTileRows <= tileRow; ++map.limitTileRows)
    {
        const int ty = map.limitTileRows;
        const int ty0 = std::max(0, ty - kWindowRadiusTiles);
        const int ty1 = std::min(map.tilesY, ty + kWindowRadiusTiles + 1);
        for (; map.summedTileRows < ty1; ++map.summedTileRows)
        {
            const int sy = map.summedTileRows;
            uint32_t* sums = &map.tileSums[Index(0, sy, map.tilesX)];
            // One row in kRowStep: the window's mean still rests on
            // hundreds of pixels, and summing costs a quarter as much.
            for (int y = sy * kTilePx; y < std::min(map.ysize, (sy + 1) * kTilePx); y += kRowStep)
                AddRow(map.frame + 4 * Index(0, y, map.xsize), map.xsize, sums);
            int64_t rowSum = 0;
            for (int tx = 0; tx < map.tilesX; ++tx)
            {
                rowSum += sums[tx];
                map.integral[Index(tx + 1, sy + 1, stride)] =
                    map.integral[Index(tx + 1, sy, stride)] + rowSum;
            }
        }

        const int64_t height =
            (std::min(map.ysize, ty1 * kTilePx) - ty0 * kTilePx + kRowStep - 1) / kRowStep;
        for (int tx = 0; tx < map.tilesX; ++tx)
        {
            const int tx0 = std::max(0, tx - kWindowRadiusTiles);
            const int tx1 = std::min(map.tilesX, tx + kWindowRadiusTiles + 1);
            const int64_t width = std::min(map.xsize, tx1 * kTilePx) - tx0 * kTilePx;
            const int64_t sum = map.integral[Index(tx1, ty1, stride)] -
                                map.integral[Index(tx0, ty1, stride)] -
                                map.integral[Index(tx1, ty0, stride)] +
                                map.integral[Index(tx0, ty0, stride)];
            const double mean = static_cast<double>(sum) / (width * height);
            const double offset = std::max(kOffsetShare * mean, 3.0 * kMinOffset);
            map.tileLimit[Index(tx, ty, map.tilesX)] = static_cast<int>(mean - offset);
        }
    }
}

void buildAdaptiveThreshold(const unsigned char* frame, int xsize, int ysize,
                            AdaptiveThresholdMap& map)
{
    beginAdaptiveThreshold(frame, xsize, ysize, map);
    finishAdaptiveThreshold(map);
}

void finishAdaptiveThreshold(AdaptiveThresholdMap& map)
{
    EnsureLimits(map, map.tilesY - 1);
}

const int* adaptiveRowLimits(AdaptiveThresholdMap& map, int y)
{
    int ty, wy;
    Between(y, map.tilesY, &ty, &wy);
    EnsureLimits(map, ty + 1);
    const int* upper = &map.tileLimit[Index(0, ty, map.tilesX)];
    const int* lower = wy > 0 ? upper + map.tilesX : upper;
    int* limits = map.rowLimit.data();
    for (int tx = 0; tx < map.tilesX; ++tx)
        limits[tx] = Blend(upper[tx], lower[tx], wy);
    return limits;
}
