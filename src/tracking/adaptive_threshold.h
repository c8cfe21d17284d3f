#pragma once
// The adaptive threshold: a pixel is dark when its grey level lies well
// below the mean of its neighbourhood, so that paper in a shadow stays
// bright and ink in full light stays dark. The means come from sums over
// square tiles and an integral image of those sums, so a frame costs one
// extra reading whatever the window's size. Owned by DetectionState and
// rebuilt for every frame detected in the adaptive mode.

#include <cstdint>
#include <vector>

struct AdaptiveThresholdMap
{
    int xsize = 0;
    int ysize = 0;
    int tilesX = 0;
    int tilesY = 0;
    std::vector<uint32_t> tileSums; // channel sums of each tile, row by row
    std::vector<int64_t> integral;  // (tilesY + 1) x (tilesX + 1) running sums of tileSums
    std::vector<int> tileLimit;     // per tile: the greatest dark channel sum at its centre
    std::vector<int> columnLimit;   // scratch: one row's limits at the tile columns
    std::vector<int> rowLimit;      // scratch: one row's limits at every pixel

    // The limit at pixel (x, y): the tile's own, without interpolation,
    // which is close enough for judging ink and paper levels.
    int DarkSumAt(int x, int y) const;
};

// frame: xsize x ysize pixels of 4 bytes; sizes below one pixel leave an
// empty map.
void buildAdaptiveThreshold(const unsigned char* frame, int xsize, int ysize,
                            AdaptiveThresholdMap& map);

// The limit of every pixel of row y (a pixel is dark when its three
// channels add up to at most its limit), interpolated between tile centres
// so that the threshold has no steps: xsize entries, valid until the next call.
const int* adaptiveRowLimits(AdaptiveThresholdMap& map, int y);
