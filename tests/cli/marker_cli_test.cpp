#include "cli_runner.h"
#include "imaging/image_file.h"
#include "support/scratch_folder.h"
#include "tracking/camera_param.h"
#include "tracking/pattern_file.h"
#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <array>
#include <cmath>
#include <filesystem>

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

// The square from `from` to `to` along both axes, corners clockwise from
// the top left, in picture coordinates (pixel k spans k to k + 1) moved onto
// pixel centres, as OpenCV takes them.
std::vector<cv::Point2f> CentredSquare(float from, float to)
{
    from -= 0.5f;
    to -= 0.5f;
    return {{from, from}, {to, from}, {to, to}, {from, to}};
}

// The marker seen in perspective on a mid-grey 640 x 480 frame, sampled bilinearly.
cv::Mat WarpedFrame(const BgraImage& marker, const cv::Mat& toFrame)
{
    const cv::Mat source(marker.height, marker.width, CV_8UC4,
                         const_cast<unsigned char*>(marker.pixels.data()));
    cv::Mat frame;
    cv::warpPerspective(source, frame, toFrame, cv::Size(640, 480), cv::INTER_LINEAR,
                        cv::BORDER_CONSTANT, cv::Scalar::all(128));
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

    // The whole image, margin included, goes onto this quadrilateral of pixel centres.
    const std::vector<cv::Point2f> quad = {
        {149.5f, 89.5f}, {469.5f, 119.5f}, {449.5f, 409.5f}, {159.5f, 379.5f}};
    const cv::Mat toFrame = cv::getPerspectiveTransform(CentredSquare(0, kImagePx), quad);
    std::vector<cv::Point2f> seen;
    cv::perspectiveTransform(CentredSquare(kMarginPx, kImagePx - kMarginPx), seen, toFrame);
    BgraImage turned = ReadImage(m_folder.Path("m.png"));
    for (int h = 0; h < 4; ++h)
    {
        const cv::Mat frame = WarpedFrame(turned, toFrame);
        // The black square's corners, as the pixels holding them in the frame.
        int x[4], y[4];
        for (int k = 0; k < 4; ++k)
        {
            x[k] = static_cast<int>(std::floor(seen[k].x + 0.5f));
            y[k] = static_cast<int>(std::floor(seen[k].y + 0.5f));
        }
        const int corners[4] = {0, 1, 2, 3};
        int id = -1, dir = -1;
        double cf = 0.0;
        identifyMarker(frame.data, x, y, corners, &id, &dir, &cf);
        EXPECT_EQ(id, 1) << "turn " << h;
        EXPECT_EQ(dir, h) << "turn " << h;
        EXPECT_GT(cf, kMinConfidence) << "turn " << h;
        turned.pixels = TurnedCounterClockwise(turned.pixels, kImagePx, 4);
    }
    trackingState().Reset();
}

// What `marker make` warns about, and what it leaves alone: each picture
// breaks one check, and the test picture none unless compared with itself.
TEST_F(MarkerCli, MakeWarnsAboutPicturesThatMakeBadPatterns)
{
    const auto uniform = [](int, int) { return static_cast<unsigned char>(120); };
    const auto ramp = [](int x, int) { return static_cast<unsigned char>(2 * x); };
    // A dark ring: the same in every turn.
    const auto ring = [](int x, int y)
    {
        const int r2 = (x - 64) * (x - 64) + (y - 64) * (y - 64);
        return static_cast<unsigned char>(r2 > 900 && r2 < 2500 ? 20 : 230);
    };
    const struct
    {
        const char* name;
        unsigned char (*grey)(int, int);
        const char* warning;
    } cases[] = {
        {"ring", +ring, "looks nearly the same turned"},
        {"uniform", +uniform, "too little contrast"},
        {"ramp", +ramp, "too little detail"},
    };
    for (const auto& c : cases)
    {
        BgraImage picture(128, 128);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
            {
                unsigned char* p = picture.Pixel(x, y);
                p[0] = p[1] = p[2] = c.grey(x, y);
                p[3] = 255;
            }
        const std::string path = m_folder.Path(std::string(c.name) + ".png");
        ASSERT_TRUE(WritePngFile(path, picture, nullptr));
        const CliResult made =
            RunCli({"marker", "make", path, "--pattern", m_folder.Path("w.patt"), "--image",
                    m_folder.Path("w.png")});
        EXPECT_EQ(made.exitCode, 0) << c.name;
        EXPECT_NE(made.err.find(c.warning), std::string::npos) << c.name << ": " << made.err;
    }

    const CliResult alone = Make("m");
    EXPECT_EQ(alone.exitCode, 0);
    EXPECT_EQ(alone.err, "");
    const CliResult twice =
        RunCli({"marker", "make", m_folder.Path("picture.png"), "--pattern",
                m_folder.Path("again.patt"), "--image", m_folder.Path("again.png"), "--against",
                m_folder.Path("w.patt"), m_folder.Path("m.patt")});
    EXPECT_EQ(twice.exitCode, 0);
    EXPECT_NE(twice.err.find("too close to " + m_folder.Path("m.patt")), std::string::npos)
        << twice.err;
    EXPECT_EQ(twice.err.find("w.patt"), std::string::npos) << twice.err;
}

TEST_F(MarkerCli, MakeAgainstAMissingPatternWritesNothing)
{
    const CliResult made =
        RunCli({"marker", "make", m_folder.Path("picture.png"), "--pattern",
                m_folder.Path("n.patt"), "--image", m_folder.Path("n.png"), "--against",
                m_folder.Path("missing.patt")});
    EXPECT_EQ(made.exitCode, 1);
    EXPECT_NE(made.err.find("missing.patt: cannot open the pattern file"), std::string::npos)
        << made.err;
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path("n.patt")));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path("n.png")));
}
