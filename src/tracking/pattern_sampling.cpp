#include "tracking/pattern_sampling.h"

#include "tracking/matrix_toolkit.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace
{
// The marker is mapped from a reference square of side 10; its picture is the
// central half, inside the black border a quarter of the side wide.
constexpr double kReference[4][2] = {
    {100.0, 100.0}, {110.0, 100.0}, {110.0, 110.0}, {100.0, 110.0}};
constexpr double kPictureStart = 102.5;
constexpr double kPictureSide = 5.0;
constexpr int kMaxDivisions = 64;

struct MatrixDeleter
{
    void operator()(Matrix* m) const { matrixFree(m); }
};
using MatrixPtr = std::unique_ptr<Matrix, MatrixDeleter>;

// Solves the 8 x 8 system for the homography from the reference square onto
// the corners; false when it is singular.
bool ReferenceToImage(const double corners[4][2], double h[8])
{
    MatrixPtr a(matrixAlloc(8, 8));
    MatrixPtr b(matrixAlloc(8, 1));
    MatrixPtr solution(matrixAlloc(8, 1));
    if (!a || !b || !solution)
        return false;
    for (int k = 0; k < 4; ++k)
    {
        const double X = kReference[k][0];
        const double Y = kReference[k][1];
        const double x = corners[k][0];
        const double y = corners[k][1];
        const double rowX[8] = {X, Y, 1.0, 0.0, 0.0, 0.0, -X * x, -Y * x};
        const double rowY[8] = {0.0, 0.0, 0.0, X, Y, 1.0, -X * y, -Y * y};
        std::memcpy(a->m + (2 * k) * 8, rowX, sizeof rowX);
        std::memcpy(a->m + (2 * k + 1) * 8, rowY, sizeof rowY);
        b->m[2 * k] = x;
        b->m[2 * k + 1] = y;
    }
    if (matrixSelfInv(a.get()) < 0)
        return false;
    matrixMul(solution.get(), a.get(), b.get());
    std::memcpy(h, solution->m, 8 * sizeof(double));
    return true;
}

// Sub-samples per cell along one direction: enough that neighbouring sample
// points stay about a pixel apart on the longer of the two opposite sides.
int Divisions(double squaredSideA, double squaredSideB)
{
    const double longer = squaredSideA > squaredSideB ? squaredSideA : squaredSideB;
    const int64_t limit = longer >= 1e12 ? int64_t{1} << 40 : static_cast<int64_t>(longer);
    int64_t divisions = kPatternSide;
    while (divisions * divisions < limit / 4 && divisions < kMaxDivisions)
        divisions *= 2;
    return static_cast<int>(divisions);
}

double SquaredDistance(const double a[2], const double b[2])
{
    return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]);
}
} // namespace

int samplePattern(const unsigned char* frame, int xsize, int ysize, const double corners[4][2],
                  unsigned char sample[kPatternValues])
{
    std::memset(sample, 0, kPatternValues);
    double h[8];
    if (!ReferenceToImage(corners, h))
        return -1;

    const int xdiv2 =
        Divisions(SquaredDistance(corners[0], corners[1]), SquaredDistance(corners[2], corners[3]));
    const int ydiv2 =
        Divisions(SquaredDistance(corners[1], corners[2]), SquaredDistance(corners[3], corners[0]));
    const int xdiv = xdiv2 / kPatternSide;
    const int ydiv = ydiv2 / kPatternSide;

    // The sample loop runs 4096 times per marker: the column terms, the cell
    // of each column and one reciprocal per point are taken out of it.
    double columnX[kMaxDivisions];
    int columnCell[kMaxDivisions];
    for (int i = 0; i < xdiv2; ++i)
    {
        columnX[i] = kPictureStart + kPictureSide * (i + 0.5) / xdiv2;
        columnCell[i] = (i / xdiv) * kPatternChannels;
    }
    uint32_t sums[kPatternValues] = {};
    for (int j = 0; j < ydiv2; ++j)
    {
        const double Y = kPictureStart + kPictureSide * (j + 0.5) / ydiv2;
        const double rowX = h[1] * Y + h[2];
        const double rowY = h[4] * Y + h[5];
        const double rowD = h[7] * Y + 1.0;
        uint32_t* cellRow = sums + (j / ydiv) * kPatternSide * kPatternChannels;
        for (int i = 0; i < xdiv2; ++i)
        {
            const double X = columnX[i];
            const double d = h[6] * X + rowD;
            if (d == 0.0)
                return -1;
            const double inverse = 1.0 / d;
            const double xc = (h[0] * X + rowX) * inverse;
            const double yc = (h[3] * X + rowY) * inverse;
            // Truncation toward zero, so (-1, 0) still lands on pixel 0; the
            // comparisons also reject NaN before any conversion.
            if (!(xc > -1.0 && xc < xsize && yc > -1.0 && yc < ysize))
                continue;
            const unsigned char* pixel =
                frame +
                (static_cast<size_t>(static_cast<int>(yc)) * xsize + static_cast<int>(xc)) * 4;
            uint32_t* cell = cellRow + columnCell[i];
            cell[0] += pixel[0];
            cell[1] += pixel[1];
            cell[2] += pixel[2];
        }
    }
    const uint32_t perCell = static_cast<uint32_t>(xdiv * ydiv);
    for (int i = 0; i < kPatternValues; ++i)
        sample[i] = static_cast<unsigned char>(sums[i] / perCell);
    return 0;
}
