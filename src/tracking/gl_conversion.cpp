#include "tracking/gl_conversion.h"

void convertToGlProjection(const CameraParam& cparam, double nearPlane, double farPlane,
                           double m[16])
{
    double intrinsic[3][4];
    double trans[3][4];
    decomposeCameraMatrix(cparam.mat, intrinsic, trans);

    double p[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            p[i][j] = intrinsic[i][j] * (1.0 / intrinsic[2][2]);

    const double width = cparam.xsize;
    const double height = cparam.ysize;
    // Pixels to normalised device coordinates, and depth mapped so that z in
    // [near, far] in front of the camera lands in [-1, 1].
    const double q[4][4] = {
        {2.0 * p[0][0] / width, 2.0 * p[0][1] / width, 2.0 * p[0][2] / width - 1.0, 0.0},
        {0.0, 2.0 * p[1][1] / height, 2.0 * p[1][2] / height - 1.0, 0.0},
        {0.0, 0.0, (farPlane + nearPlane) / (farPlane - nearPlane),
         -2.0 * farPlane * nearPlane / (farPlane - nearPlane)},
        {0.0, 0.0, 1.0, 0.0},
    };
    for (int i = 0; i < 4; ++i)
    {
        for (int j = 0; j < 3; ++j)
            m[i + 4 * j] = q[i][0] * trans[0][j] + q[i][1] * trans[1][j] + q[i][2] * trans[2][j];
        m[i + 12] = q[i][0] * trans[0][3] + q[i][1] * trans[1][3] + q[i][2] * trans[2][3] + q[i][3];
    }
}

void convertToGlModelview(const double para[3][4], double m[16])
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j)
            m[4 * i + j] = para[j][i];
    m[3] = 0.0;
    m[7] = 0.0;
    m[11] = 0.0;
    m[15] = 1.0;
}
