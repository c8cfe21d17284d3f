#pragma once
// The adaptive threshold: a pixel is dark when its grey level lies well
// below the mean of its neighbourhood, so that paper in a shadow stays
// bright and ink in full light stays dark. The means come from sums over
// square tiles and an integral image of those sums, made just ahead of the
// labeling rows that need them, so the frame is read from memory once
// whatever the window's size. Owned by DetectionState and rebuilt for every
// frame detected in the adaptive mode.

#include <cstdint>
#include <vector>

// Side of the square tiles whose sums the means are taken from, px. Within
// a tile's columns the threshold is the same; along the columns it is
// interpolated between tile centres. Smaller tiles cost more sums and
// limits; larger ones put steps into the threshold across a gradient of
// light.
constexpr int kAdaptiveTilePx = 8;

struct AdaptiveThresholdMap
{
    const unsigned char* frame = nullptr;
    int xsize = 0;
    int ysize = 0;
    int tilesX = 0;
    int tilesY = 0;
    std::vector<uint32_t> tileSums; // channel sums of each tile, row by row
    std::vector<int64_t> integral;  // (tilesY + 1) x (tilesX + 1) running sums of tileSums
    std::vector<int> tileLimit;     // per tile: the greatest dark channel sum at its centre
    std::vector<int> rowLimit;      // scratch: one row's limits, one per tile column
    int summedTileRows = 0;         // tile rows whose sums and integral are done
    int limitTileRows = 0;          // tile rows whose limits are done

    // The limit at pixel (x, y): the tile's own, without interpolation,
    // which is close enough for judging ink and paper levels. The map must
    // be finished.
    int DarkSumAt(int x, int y) const;
};

// frame: xsize x ysize pixels of 4 bytes, kept until the map is finished;
// sizes below one pixel leave an empty map. Begin prepares the map, and the
// limits are made as adaptiveRowLimits asks for them, row by row; finish
// makes the rest. Build does all three at once.
void beginAdaptiveThreshold(const unsigned char* frame, int xsize, int ysize,
                            AdaptiveThresholdMap& map);
void finishAdaptiveThreshold(AdaptiveThresholdMap& map);
void buildAdaptiveThreshold(const unsigned char* frame, int xsize, int ysize,
                            AdaptiveThresholdMap& map);

// The limits of row y, one per tile column (a pixel is dark when its three
// channels add up to at most the limit of its column's tile), interpolated
// between the centres of the tile rows above and below: tilesX entries,
// valid until the next call.
const int* adaptiveRowLimits(AdaptiveThresholdMap& map, int y);
