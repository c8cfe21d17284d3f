#pragma once
// Sub-pixel edge points for the line fit. The contour follows the threshold,
// so a threshold nearer ink than paper moves every traced side inwards by the
// same fraction of the blur; the point where the grey level crosses halfway
// between ink and paper stays on the printed edge whatever the threshold.

#include "tracking/adaptive_threshold.h"

// The frame as detection reads it: 4 bytes a pixel, blue, green, red first.
struct EdgeFrame
{
    const unsigned char* pixels = nullptr;
    int xsize = 0;
    int ysize = 0;
    int darkSum = 0; // a pixel whose three channels add up to this or less is dark
    const AdaptiveThresholdMap* adaptive = nullptr; // in place of darkSum when set

    int DarkSumAt(int x, int y) const { return adaptive ? adaptive->DarkSumAt(x, y) : darkSum; }
};

#include <cstddef>

// Which way to look for the edge: along the row or column nearest the side's
// outward normal, towards the outside.
struct EdgeDirection
{
    bool alongRow = true;
    int step = 1;         // +1 or -1 pixel along that row or column
    ptrdiff_t stride = 4; // bytes from one sample to the next
};

EdgeDirection edgeDirection(const EdgeFrame& frame, double nx, double ny);

// Looks from contour point (x, y) in `direction` for where the grey level
// crosses halfway between the ink inside and the paper outside, and writes
// that point (observed coordinates). False where there is no clear
// ink-to-paper step: clutter, the frame's edge, a border too thin.
bool findEdgeCrossing(const EdgeFrame& frame, const EdgeDirection& direction, int x, int y,
                      double* edgeX, double* edgeY);
