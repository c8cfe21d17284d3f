#pragma once
// The checkerboard to print: black and white squares on a white margin one
// square wide, with the board's size written under it so a printout keeps
// saying which --board and --square it was made for.

#include "calibration/board.h"
#include "imaging/bgra_image.h"

constexpr int kDefaultSquarePx = 100;
constexpr int kMaxBoardPictureSidePx = 16384;

// (columns + 1) x (rows + 1) squares of squarePx pixels. An empty image when
// the picture would be larger than kMaxBoardPictureSidePx a side.
BgraImage DrawBoardPicture(const BoardSpec& board, int squarePx);
