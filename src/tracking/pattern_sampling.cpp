#include "tracking/pattern_sampling.h"

#include "tracking/matrix_toolkit.h"

#include <algorithm>
#include <cmath>
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
// Largest number of sample points per cell and direction (16 a cell), and
// their spacing in pixels: a bilinear read already averages the 2 x 2
// pixels around it, so reads 2 px apart cover a small marker's cell.
// Cells over 6 px (markers over about 100 px) hold signal to spare and are
// read at 2 x 2 points: 16 reads a cell made a 1080p frame of four large
// markers 0.1 ms slower than the nearest-pixel sampling before. Closer
// reads cost time (a 1080p crowd of 40 markers took 2.5 times as long to
// identify at 1 px) and change no score measurably.
constexpr int kMaxPointsPerCell = 4;
constexpr double kPointSpacingPx = 2.0;
constexpr double kLargeCellPx = 6.0;
constexpr int kLargeCellPoints = 2;

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

// Sample points per cell along one direction: about one a pixel on the
// longer of the two opposite sides, so each cell is averaged over what it
// covers rather than read at a few points, which on a small marker is what
// tells a real picture from JPEG blocks, noise and a sharpening halo.
int PointsPerCell(double squaredSideA, double squaredSideB)
{
    const double longer = std::sqrt(std::max(squaredSideA, squaredSideB));
    const double cellPx = longer * (kPictureSide / 10.0) / kPatternSide;
    if (!(cellPx > 1.0))
        return 1;
    if (cellPx > kLargeCellPx)
        return kLargeCellPoints;
    return std::min(kMaxPointsPerCell, static_cast<int>(std::ceil(cellPx / kPointSpacingPx)));
}

double SquaredDistance(const double a[2], const double b[2])
{
    return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]);
}
// Inlined into the sampling loop, which calls it up to 4096 times a marker.
inline void BilinearRead(const unsigned char* frame, int xsize, int ysize, double x, double y,
                         float out[3])
{
    out[0] = out[1] = out[2] = 0.0f;
    // The comparisons also reject NaN before any conversion.
    if (!(x > -1.0 && x < xsize && y > -1.0 && y < ysize))
        return;
    // x + 1 > 0, so truncation is the floor.
    const int x0 = static_cast<int>(x + 1.0) - 1;
    const int y0 = static_cast<int>(y + 1.0) - 1;
    const float fx = static_cast<float>(x - x0);
    const float fy = static_cast<float>(y - y0);
    if (x0 >= 0 && y0 >= 0 && x0 + 1 < xsize && y0 + 1 < ysize)
    {
        // Inside the frame, as nearly every read is: no test per pixel.
        const unsigned char* top = frame + (static_cast<size_t>(y0) * xsize + x0) * 4;
        const unsigned char* bottom = top + static_cast<size_t>(xsize) * 4;
        for (int c = 0; c < 3; ++c)
        {
            const float upper = top[c] + fx * (top[4 + c] - top[c]);
            const float lower = bottom[c] + fx * (bottom[4 + c] - bottom[c]);
            out[c] = upper + fy * (lower - upper);
        }
        return;
    }
    const float weights[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
    const int xs[4] = {x0, x0 + 1, x0, x0 + 1};
    const int ys[4] = {y0, y0, y0 + 1, y0 + 1};
    for (int k = 0; k < 4; ++k)
    {
        // Pixels outside the frame count as black, as a marker's cut-off
        // border would be.
        if (xs[k] < 0 || ys[k] < 0 || xs[k] >= xsize || ys[k] >= ysize)
            continue;
        const unsigned char* pixel = frame + (static_cast<size_t>(ys[k]) * xsize + xs[k]) * 4;
        out[0] += weights[k] * pixel[0];
        out[1] += weights[k] * pixel[1];
        out[2] += weights[k] * pixel[2];
    }
}

} // namespace

bool referenceToImage(const double corners[4][2], double h[8])
{
    return ReferenceToImage(corners, h);
}

bool mapReference(const double h[8], double X, double Y, double* x, double* y)
{
    const double d = h[6] * X + h[7] * Y + 1.0;
    if (d == 0.0)
        return false;
    *x = (h[0] * X + h[1] * Y + h[2]) / d;
    *y = (h[3] * X + h[4] * Y + h[5]) / d;
    return true;
}

void bilinearPixel(const unsigned char* frame, int xsize, int ysize, double x, double y,
                   float out[3])
{
    BilinearRead(frame, xsize, ysize, x, y, out);
}

int samplePattern(const unsigned char* frame, int xsize, int ysize, const double corners[4][2],
                  unsigned char sample[kPatternValues])
{
    double h[8];
    if (!ReferenceToImage(corners, h))
    {
        std::memset(sample, 0, kPatternValues);
        return -1;
    }
    return samplePattern(frame, xsize, ysize, corners, h, sample);
}

int samplePattern(const unsigned char* frame, int xsize, int ysize, const double corners[4][2],
                  const double h[8], unsigned char sample[kPatternValues])
{
    std::memset(sample, 0, kPatternValues);

    const int nx =
        PointsPerCell(SquaredDistance(corners[0], corners[1]), SquaredDistance(corners[2], corners[3]));
    const int ny =
        PointsPerCell(SquaredDistance(corners[1], corners[2]), SquaredDistance(corners[3], corners[0]));
    const int columns = kPatternSide * nx;
    const int rows = kPatternSide * ny;

    // Up to 4096 points per marker: the column terms and the cell of each
    // column are taken out of the loop.
    double columnX[kPatternSide * kMaxPointsPerCell];
    int columnCell[kPatternSide * kMaxPointsPerCell];
    for (int i = 0; i < columns; ++i)
    {
        columnX[i] = kPictureStart + kPictureSide * (i + 0.5) / columns;
        columnCell[i] = (i / nx) * kPatternChannels;
    }
    float sums[kPatternValues] = {};
    for (int j = 0; j < rows; ++j)
    {
        const double Y = kPictureStart + kPictureSide * (j + 0.5) / rows;
        const double rowX = h[1] * Y + h[2];
        const double rowY = h[4] * Y + h[5];
        const double rowD = h[7] * Y + 1.0;
        float* cellRow = sums + (j / ny) * kPatternSide * kPatternChannels;
        for (int i = 0; i < columns; ++i)
        {
            const double X = columnX[i];
            const double d = h[6] * X + rowD;
            if (d == 0.0)
                return -1;
            const double inverse = 1.0 / d;
            float pixel[3];
            BilinearRead(frame, xsize, ysize, (h[0] * X + rowX) * inverse,
                         (h[3] * X + rowY) * inverse, pixel);
            float* cell = cellRow + columnCell[i];
            cell[0] += pixel[0];
            cell[1] += pixel[1];
            cell[2] += pixel[2];
        }
    }
    const float perCell = static_cast<float>(nx * ny);
    for (int i = 0; i < kPatternValues; ++i)
        sample[i] = static_cast<unsigned char>(std::min(255.0f, sums[i] / perCell + 0.5f));
    return 0;
}
