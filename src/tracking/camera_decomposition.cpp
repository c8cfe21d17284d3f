#include "tracking/camera_param.h"

#include <cmath>

namespace
{
double Dot3(const double a[], const double b[])
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double Norm3(const double a[])
{
    return std::sqrt(Dot3(a, a));
}
} // namespace

// Gram-Schmidt on the rows, bottom row first: the third row of a projection
// is the optical axis, so orthonormalising from it gives an upper-triangular
// intrinsic part and a rotation. The sign is fixed first so that points in
// front of the camera keep a positive depth.
int decomposeCameraMatrix(const double source[3][4], double cpara[3][4], double trans[3][4])
{
    double c[3][4];
    const double sign = source[2][3] >= 0.0 ? 1.0 : -1.0;
    for (int r = 0; r < 3; ++r)
        for (int j = 0; j < 4; ++j)
            c[r][j] = sign * source[r][j];
    for (int r = 0; r < 3; ++r)
        for (int j = 0; j < 4; ++j)
            cpara[r][j] = 0.0;

    cpara[2][2] = Norm3(c[2]);
    for (int j = 0; j < 4; ++j)
        trans[2][j] = c[2][j] / cpara[2][2];

    cpara[1][2] = Dot3(trans[2], c[1]);
    double r1[3];
    for (int j = 0; j < 3; ++j)
        r1[j] = c[1][j] - cpara[1][2] * trans[2][j];
    cpara[1][1] = Norm3(r1);
    for (int j = 0; j < 3; ++j)
        trans[1][j] = r1[j] / cpara[1][1];

    cpara[0][2] = Dot3(trans[2], c[0]);
    cpara[0][1] = Dot3(trans[1], c[0]);
    double r0[3];
    for (int j = 0; j < 3; ++j)
        r0[j] = c[0][j] - cpara[0][1] * trans[1][j] - cpara[0][2] * trans[2][j];
    cpara[0][0] = Norm3(r0);
    for (int j = 0; j < 3; ++j)
        trans[0][j] = r0[j] / cpara[0][0];

    trans[1][3] = (c[1][3] - cpara[1][2] * trans[2][3]) / cpara[1][1];
    trans[0][3] = (c[0][3] - cpara[0][1] * trans[1][3] - cpara[0][2] * trans[2][3]) / cpara[0][0];

    for (int r = 0; r < 3; ++r)
    {
        const double scale = cpara[2][2];
        for (int j = 0; j < 3; ++j)
            cpara[r][j] /= scale;
    }
    return 0;
}
