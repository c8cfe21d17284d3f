#include "pattern_fixture.h"
#include "tracking_fixture.h"

#include "tracking/pattern_matching.h"
#include "tracking/pattern_sampling.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr double kExactMatch = 1.0 - 1e-9;
constexpr double kContourMatch = 0.95;
constexpr int kFrameSide = 160;
constexpr int kCellPx = 4;

// A frame with the marker's picture drawn axis-aligned: the black square
// spans [origin, origin + 128) and the picture its central half, 16 cells of
// 4 x 4 pixels; the rest is white.
std::vector<unsigned char> FrameWithPicture(const PatternPicture& picture, int origin)
{
    std::vector<unsigned char> frame(kFrameSide * kFrameSide * 4, 255);
    const int side = kPatternSide * kCellPx * 2;
    for (int y = 0; y < kFrameSide; ++y)
        for (int x = 0; x < kFrameSide; ++x)
        {
            const int u = x - origin;
            const int v = y - origin;
            if (u < 0 || v < 0 || u >= side || v >= side)
                continue;
            unsigned char* pixel = &frame[(y * kFrameSide + x) * 4];
            const int inner = side / 4;
            const bool inside = u >= inner && v >= inner && u < side - inner && v < side - inner;
            for (int c = 0; c < 3; ++c)
                pixel[c] =
                    inside
                        ? picture[(((v - inner) / kCellPx) * kPatternSide + (u - inner) / kCellPx) *
                                      kPatternChannels +
                                  c]
                        : 0;
        }
    return frame;
}

PatternPicture Sample(const std::vector<unsigned char>& frame, const double corners[4][2])
{
    PatternPicture sample{};
    EXPECT_EQ(samplePattern(frame.data(), kFrameSide, kFrameSide, corners, sample.data()), 0);
    return sample;
}

class PatternMatching : public FreshTrackingState
{
  protected:
    int Load(const PatternPicture& block0)
    {
        return loadPattern(
            Write("p" + std::to_string(m_nFiles++) + ".patt", PatternFileText(block0)).c_str());
    }
    // A camera of the frame's size, which identification reads corners in.
    static void UseFrameCamera()
    {
        CameraParam camera;
        camera.xsize = kFrameSide;
        camera.ysize = kFrameSide;
        initCameraParam(camera);
    }

    int m_nFiles = 0;
};
} // namespace

TEST_F(PatternMatching, StartingTheCornersElsewhereTurnsTheSample)
{
    const PatternPicture picture = AsymmetricPicture(5);
    const auto frame = FrameWithPicture(picture, 10);
    // Corners in the order of the sample's rows, 0 top-left, 1 top-right, on
    // the square's outer edges (pixel centres are whole numbers): from
    // corner 0 the sample is the picture's cells exactly.
    const double square[4][2] = {{9.5, 9.5}, {137.5, 9.5}, {137.5, 137.5}, {9.5, 137.5}};
    PatternPicture turned = picture;
    for (int start = 0; start < 4; ++start)
    {
        // Reading from corner `start` sees the picture turned `start` quarter
        // turns counter-clockwise.
        double corners[4][2];
        for (int k = 0; k < 4; ++k)
        {
            corners[k][0] = square[(start + k) % 4][0];
            corners[k][1] = square[(start + k) % 4][1];
        }
        EXPECT_EQ(Sample(frame, corners), turned) << "start " << start;
        turned = TurnedCounterClockwise(turned);
    }
}

TEST_F(PatternMatching, CellsOutsideTheFrameCountAsBlack)
{
    const PatternPicture picture = AsymmetricPicture(6);
    const auto frame = FrameWithPicture(picture, 10);
    // A marker whose picture starts 16.5 px left of the frame's first pixel
    // centre: its first four columns of cells lie wholly outside, the fifth
    // begins on pixel 0.
    const double corners[4][2] = {{-48.5, 9.5}, {79.5, 9.5}, {79.5, 137.5}, {-48.5, 137.5}};
    const PatternPicture sample = Sample(frame, corners);
    for (int row = 0; row < kPatternSide; ++row)
        for (int column = 0; column < 4; ++column)
            for (int channel = 0; channel < 3; ++channel)
                EXPECT_EQ(sample[(row * kPatternSide + column) * 3 + channel], 0);
    EXPECT_NE(sample[(0 * kPatternSide + 4) * 3], 0);
}

// Slots 1 and 2 hold the same picture: ties keep the lowest slot.
TEST_F(PatternMatching, EachBlockMatchesWithItsOrientation)
{
    const PatternPicture picture = AsymmetricPicture(7);
    ASSERT_EQ(Load(AsymmetricPicture(8)), 0);
    ASSERT_EQ(Load(picture), 1);
    ASSERT_EQ(Load(picture), 2);
    PatternPicture block = picture;
    for (int h = 0; h < 4; ++h)
    {
        int id, dir;
        double cf;
        matchPattern(trackingState().patterns, block.data(), &id, &dir, &cf);
        EXPECT_EQ(id, 1);
        EXPECT_EQ(dir, h);
        EXPECT_GT(cf, kExactMatch);
        block = TurnedCounterClockwise(block);
    }
}

TEST_F(PatternMatching, UniformAndDegenerateMarkersGetTheRejectedResult)
{
    ASSERT_EQ(Load(AsymmetricPicture(11)), 0);
    UseFrameCamera();
    PatternPicture grey;
    grey.fill(90);
    const auto frame = FrameWithPicture(grey, 10);

    const struct
    {
        const char* name;
        int x[4];
        int y[4];
    } cases[] = {
        {"uniform picture", {10, 137, 137, 10}, {10, 10, 137, 137}},
        {"all corners equal", {50, 50, 50, 50}, {50, 50, 50, 50}},
        {"collinear corners", {10, 50, 90, 130}, {10, 50, 90, 130}},
    };
    for (const auto& c : cases)
    {
        const int cornerIndex[4] = {0, 1, 2, 3};
        int id = 7, dir = 7;
        double cf = 7.0;
        EXPECT_EQ(identifyMarker(frame.data(), c.x, c.y, cornerIndex, &id, &dir, &cf), 0);
        EXPECT_EQ(id, 0) << c.name;
        EXPECT_EQ(dir, 0) << c.name;
        EXPECT_EQ(cf, -1.0) << c.name;
    }
}

TEST_F(PatternMatching, IdentifyReadsCornersFromTheContourInTheCurrentCamera)
{
    const PatternPicture picture = AsymmetricPicture(12);
    ASSERT_EQ(Load(picture), 0);
    UseFrameCamera();
    const auto frame = FrameWithPicture(TurnedCounterClockwise(picture), 20);

    // The contour runs through the outermost dark pixels, 20 and 147: half a
    // pixel inside the printed edge, so the match is close but not exact.
    const int contourX[] = {0, 20, 0, 147, 0, 147, 20};
    const int contourY[] = {0, 20, 0, 20, 0, 147, 147};
    const int cornerIndex[4] = {1, 3, 5, 6};
    int id, dir;
    double cf;
    identifyMarker(frame.data(), contourX, contourY, cornerIndex, &id, &dir, &cf);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(dir, 1);
    EXPECT_GT(cf, kContourMatch);
}
