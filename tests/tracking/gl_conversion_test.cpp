#include "synth_fixture.h"

#include "tracking/gl_conversion.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace
{
constexpr double kMatrixTolerance = 1e-12;
constexpr double kPixelTolerance = 1e-9;
} // namespace

TEST(GlProjection, IdealPinholeGivesTheClosedForm)
{
    const CameraParam camera = TestCamera();
    const double F = camera.mat[0][0], cx = camera.mat[0][2], cy = camera.mat[1][2];
    const double W = 640.0, H = 480.0, n = 1.0, f = 5000.0;
    double m[16];
    convertToGlProjection(camera, n, f, m);
    double expected[16] = {};
    expected[0] = 2 * F / W;
    expected[5] = 2 * F / H;
    expected[8] = 2 * cx / W - 1;
    expected[9] = 2 * cy / H - 1;
    expected[10] = (f + n) / (f - n);
    expected[11] = 1.0;
    expected[14] = -2 * f * n / (f - n);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], expected[i], kMatrixTolerance) << "element " << i;
}

// A point must land, after the perspective divide, on the pixel the camera
// matrix gives it, with depth inside the clip range. The matrix has a
// translation so that its negation (entry [2][3] below zero) is a real case.
TEST(GlProjection, PointsLandOnTheirPixelsWhateverTheMatrixSign)
{
    CameraParam camera = TestCamera();
    camera.mat[0][1] = 3.0;
    camera.mat[0][3] = 40.0;
    camera.mat[2][3] = 25.0;
    CameraParam negated = camera;
    for (auto& row : negated.mat)
        for (double& value : row)
            value = -value;
    for (const CameraParam* param : {&camera, &negated})
    {
        double m[16];
        convertToGlProjection(*param, 1.0, 5000.0, m);
        for (const auto& p : {std::array<double, 3>{10, -20, 300}, {-150, 90, 900}})
        {
            double clip[4], image[3];
            for (int r = 0; r < 4; ++r)
                clip[r] = m[r] * p[0] + m[r + 4] * p[1] + m[r + 8] * p[2] + m[r + 12];
            for (int r = 0; r < 3; ++r)
                image[r] = camera.mat[r][0] * p[0] + camera.mat[r][1] * p[1] +
                           camera.mat[r][2] * p[2] + camera.mat[r][3];
            EXPECT_NEAR((clip[0] / clip[3] + 1) * 0.5 * 640, image[0] / image[2], kPixelTolerance);
            EXPECT_NEAR((clip[1] / clip[3] + 1) * 0.5 * 480, image[1] / image[2], kPixelTolerance);
            EXPECT_GT(clip[2] / clip[3], -1.0);
            EXPECT_LT(clip[2] / clip[3], 1.0);
        }
    }
}

TEST(GlModelview, TransposesTheTransformIntoColumnMajor)
{
    const double para[3][4] = {{0, -1, 0, 1}, {1, 0, 0, 2}, {0, 0, 1, 3}};
    double m[16];
    convertToGlModelview(para, m);
    const double expected[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], expected[i]) << "element " << i;
}
