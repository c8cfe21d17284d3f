#pragma once
// Finds the inner corners of a printed checkerboard in one picture, to a
// fraction of a pixel. Stateless; any thread.

#include "calibration/board.h"
#include "imaging/bgra_image.h"

enum class BoardSearch
{
    Found,
    NotFound, // no board, blurred, too far, or some corner hidden or outside the picture
    TooSmall, // found, but covering too little of the picture to tell the lens
};

// The board's corners go into view->corners only when Found.
BoardSearch FindBoardCorners(const BgraImage& image, const BoardSpec& board, BoardView* view);

// The least share of the picture's area the board's corners must span.
constexpr double kMinBoardAreaShare = 0.04;
