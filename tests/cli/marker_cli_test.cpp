#include "cli_runner.h"
#include "imaging/image_file.h"
#include "support/project_fixture.h"
#include "tracking/camera_param.h"
#include "tracking/matrix_toolkit.h"
#include "tracking/pattern_file.h"
#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace
{
constexpr int kSquarePx = 256;  // --size given to the tools
constexpr int kMarginPx = 32;   // an eighth of the square
constexpr int kPicturePx = 128; // the central half
constexpr int kImagePx = kSquarePx + 2 * kMarginPx;
constexpr double kMinConfidence = 0.95;
constexpr int kCellRounding = 1; // cell means are rounded once per image

using Block = std::array<unsigned char, kPatternValues>;

// A picture with no symmetry, wider than tall, with transparent corners.
BgraImage TestPicture()
{
    BgraImage picture(90, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 90; ++x)
        {
            unsigned char* p = picture.Pixel(x, y);
            const bool bar = x < 20 || (y > 40 && x < 70);
            p[0] = static_cast<unsigned char>(bar ? 20 : 3 * x);
            p[1] = static_cast<unsigned char>(bar ? 30 : 4 * y);
            p[2] = static_cast<unsigned char>(bar ? 200 : 250 - 2 * x);
            p[3] = (x > 80 && y < 10) ? 0 : 255;
        }
    return picture;
}

BgraImage ReadImage(const std::string& path)
{
    BgraImage image;
    std::string error;
    EXPECT_TRUE(ReadImageFile(path, &image, &error)) << error;
    return image;
}

Block PictureCellMeans(const BgraImage& marker)
{
    Block block{};
    const int cell = kPicturePx / kPatternSide;
    const int origin = kMarginPx + kSquarePx / 4;
    for (int row = 0; row < kPatternSide; ++row)
        for (int column = 0; column < kPatternSide; ++column)
            for (int c = 0; c < 3; ++c)
            {
                int sum = 0;
                for (int y = 0; y < cell; ++y)
                    for (int x = 0; x < cell; ++x)
                        sum += marker.Pixel(origin + column * cell + x, origin + row * cell + y)[c];
                block[(row * kPatternSide + column) * 3 + c] =
                    static_cast<unsigned char>(std::lround(sum / double(cell * cell)));
            }
    return block;
}

// A square of `side` x `side` pixels, `channels` bytes each, turned a
// quarter turn counter-clockwise.
template <class Pixels> Pixels TurnedCounterClockwise(const Pixels& pixels, int side, int channels)
{
    Pixels turned = pixels;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            std::copy_n(&pixels[(size_t(x) * side + side - 1 - y) * channels], channels,
                        &turned[(size_t(y) * side + x) * channels]);
    return turned;
}

using Homography = std::array<double, 9>;

// The homography taking the four points `from` onto `to`.
Homography FourPointHomography(const double from[4][2], const double to[4][2])
{
    Matrix* a = matrixAlloc(8, 8);
    Matrix* b = matrixAlloc(8, 1);
    Matrix* h = matrixAlloc(8, 1);
    for (int k = 0; k < 4; ++k)
    {
        const double X = from[k][0], Y = from[k][1], x = to[k][0], y = to[k][1];
        const double rowX[8] = {X, Y, 1, 0, 0, 0, -X * x, -Y * x};
        const double rowY[8] = {0, 0, 0, X, Y, 1, -X * y, -Y * y};
        std::copy_n(rowX, 8, a->m + 16 * k);
        std::copy_n(rowY, 8, a->m + 16 * k + 8);
        b->m[2 * k] = x;
        b->m[2 * k + 1] = y;
    }
    EXPECT_EQ(matrixSelfInv(a), 0);
    matrixMul(h, a, b);
    Homography result;
    std::copy_n(h->m, 8, result.begin());
    result[8] = 1.0;
    matrixFree(a);
    matrixFree(b);
    matrixFree(h);
    return result;
}

void Apply(const Homography& g, double x, double y, double* u, double* v)
{
    const double w = g[6] * x + g[7] * y + g[8];
    *u = (g[0] * x + g[1] * y + g[2]) / w;
    *v = (g[3] * x + g[4] * y + g[5]) / w;
}

// The marker seen in perspective on a mid-grey 640 x 480 frame, sampled bilinearly.
std::vector<unsigned char> WarpedFrame(const BgraImage& marker, const double quad[4][2])
{
    const double side = marker.width;
    const double image[4][2] = {{0, 0}, {side, 0}, {side, side}, {0, side}};
    const Homography g = FourPointHomography(quad, image);
    std::vector<unsigned char> frame(640 * 480 * 4, 128);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
        {
            double u, v;
            Apply(g, x + 0.5, y + 0.5, &u, &v);
            u -= 0.5;
            v -= 0.5;
            if (u < 0 || v < 0 || u >= marker.width - 1 || v >= marker.height - 1)
                continue;
            const int u0 = static_cast<int>(u), v0 = static_cast<int>(v);
            const double fu = u - u0, fv = v - v0;
            for (int c = 0; c < 3; ++c)
                frame[(y * 640 + x) * 4 + c] = static_cast<unsigned char>(
                    std::lround((1 - fu) * (1 - fv) * marker.Pixel(u0, v0)[c] +
                                fu * (1 - fv) * marker.Pixel(u0 + 1, v0)[c] +
                                (1 - fu) * fv * marker.Pixel(u0, v0 + 1)[c] +
                                fu * fv * marker.Pixel(u0 + 1, v0 + 1)[c]));
        }
    return frame;
}

class MarkerCli : public testing::Test
{
  protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(WritePngFile(m_folder.Path("picture.png"), TestPicture(), &error)) << error;
    }
    CliResult Make(const std::string& name)
    {
        return RunCli({"marker", "make", m_folder.Path("picture.png"), "--pattern",
                       m_folder.Path(name + ".patt"), "--image", m_folder.Path(name + ".png"),
                       "--size", std::to_string(kSquarePx)});
    }
    ScratchFolder m_folder;
};
} // namespace

TEST_F(MarkerCli, MakeWritesTheFourTurnsAndAPrintableMarker)
{
    const CliResult made = Make("m");
    ASSERT_EQ(made.exitCode, 0) << made.err;
    unsigned char blocks[4][kPatternValues];
    ASSERT_EQ(readPatternFile(m_folder.Path("m.patt").c_str(), blocks), PatternFileStatus::Ok);
    Block block0;
    std::copy_n(blocks[0], kPatternValues, block0.begin());
    Block block = block0;
    for (int h = 1; h < 4; ++h)
    {
        block = TurnedCounterClockwise(block, kPatternSide, 3);
        EXPECT_TRUE(std::equal(block.begin(), block.end(), blocks[h])) << "block " << h;
    }

    const BgraImage marker = ReadImage(m_folder.Path("m.png"));
    ASSERT_EQ(marker.width, kImagePx);
    ASSERT_EQ(marker.height, kImagePx);
    EXPECT_EQ(PictureCellMeans(marker), block0);
    const struct
    {
        int x, y, grey;
    } probes[] = {
        {0, 0, 255},
        {kMarginPx - 1, 160, 255},
        {kImagePx - 1, kImagePx - 1, 255},
        {kMarginPx, 160, 0},
        {95, 160, 0},
        {160, 40, 0},
        {160, kImagePx - kMarginPx - 1, 0},
        {100, 100, 255}, // letterbox band above the wide picture
    };
    for (const auto& p : probes)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(marker.Pixel(p.x, p.y)[c], p.grey) << p.x << ", " << p.y;
    // The picture's red bar on the left edge, in the frame's byte order.
    EXPECT_GT(marker.Pixel(100, 160)[2], 150);
    EXPECT_LT(marker.Pixel(100, 160)[0], 60);
}

TEST_F(MarkerCli, DrawingTheMadePatternGivesBackThePictureAt16x16)
{
    ASSERT_EQ(Make("m").exitCode, 0);
    const CliResult drawn = RunCli(
        {"marker", "draw", m_folder.Path("m.patt"), m_folder.Path("drawn.png"), "--size", "256"});
    ASSERT_EQ(drawn.exitCode, 0) << drawn.err;
    const Block made = PictureCellMeans(ReadImage(m_folder.Path("m.png")));
    const Block redrawn = PictureCellMeans(ReadImage(m_folder.Path("drawn.png")));
    for (int i = 0; i < kPatternValues; ++i)
        EXPECT_NEAR(made[i], redrawn[i], kCellRounding) << "value " << i;
}

// The printed marker, turned h quarter turns and seen in perspective, must
// match its pattern with orientation h, against a second pattern in the table.
TEST_F(MarkerCli, AWarpedMarkerIdentifiesWithItsTurn)
{
    ASSERT_EQ(Make("m").exitCode, 0);
    BgraImage other = TestPicture();
    for (size_t i = 0; i < other.pixels.size(); ++i)
        if (i % 4 != 3)
            other.pixels[i] = static_cast<unsigned char>(255 - other.pixels[i]);
    ASSERT_TRUE(WritePngFile(m_folder.Path("other.png"), other, nullptr));
    ASSERT_EQ(RunCli({"marker", "make", m_folder.Path("other.png"), "--pattern",
                      m_folder.Path("other.patt"), "--image", m_folder.Path("other-marker.png")})
                  .exitCode,
              0);

    trackingState().Reset();
    testing::internal::CaptureStdout();
    ASSERT_EQ(loadPattern(m_folder.Path("other.patt").c_str()), 0);
    ASSERT_EQ(loadPattern(m_folder.Path("m.patt").c_str()), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    CameraParam camera;
    camera.xsize = 640;
    camera.ysize = 480;
    initCameraParam(camera);

    // The whole image, margin included, goes onto this quadrilateral.
    const double quad[4][2] = {{150, 90}, {470, 120}, {450, 410}, {160, 380}};
    const double image[4][2] = {{0, 0}, {kImagePx, 0}, {kImagePx, kImagePx}, {0, kImagePx}};
    const Homography toFrame = FourPointHomography(image, quad);
    BgraImage turned = ReadImage(m_folder.Path("m.png"));
    for (int h = 0; h < 4; ++h)
    {
        const std::vector<unsigned char> frame = WarpedFrame(turned, quad);
        // The black square's corners, as the pixels holding them in the frame.
        int x[4], y[4];
        for (int k = 0; k < 4; ++k)
        {
            const double across = k == 0 || k == 3 ? kMarginPx : kImagePx - kMarginPx;
            const double down = k < 2 ? kMarginPx : kImagePx - kMarginPx;
            double u, v;
            Apply(toFrame, across, down, &u, &v);
            x[k] = static_cast<int>(std::floor(u));
            y[k] = static_cast<int>(std::floor(v));
        }
        const int corners[4] = {0, 1, 2, 3};
        int id = -1, dir = -1;
        double cf = 0.0;
        identifyMarker(frame.data(), x, y, corners, &id, &dir, &cf);
        EXPECT_EQ(id, 1) << "turn " << h;
        EXPECT_EQ(dir, h) << "turn " << h;
        EXPECT_GT(cf, kMinConfidence) << "turn " << h;
        turned.pixels = TurnedCounterClockwise(turned.pixels, kImagePx, 4);
    }
    trackingState().Reset();
}
