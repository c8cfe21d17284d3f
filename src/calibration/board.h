#pragma once
// The printed checkerboard and what was seen of it: shared by every stage of
// the calibration. Plain values.

#include <string>
#include <vector>

// A board is named by its inner corners (where four squares meet), as it is
// measured: `columns` along a row, `rows` down, squares of side squareMm.
struct BoardSpec
{
    int columns = 0;
    int rows = 0;
    double squareMm = 0.0;

    int CornerCount() const { return columns * rows; }
};

struct ImagePoint
{
    double x = 0.0;
    double y = 0.0;
};

// One picture in which every inner corner was found, in the order the
// corner finder gives them: row after row.
struct BoardView
{
    std::string name; // the file or frame, for messages
    std::vector<ImagePoint> corners;
};

// The board frame's coordinates (mm, z = 0) of corner `index` in that order.
inline void BoardCornerPosition(const BoardSpec& board, int index, double* x, double* y)
{
    *x = (index % board.columns) * board.squareMm;
    *y = (index / board.columns) * board.squareMm;
}
