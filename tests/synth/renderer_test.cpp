#include "formats/camera_file.h"
#include "support/scratch_folder.h"
#include "synth/frame_effects.h"
#include "synth/frame_renderer.h"
#include "synth/pattern_picture.h"
#include "synth/synth_pose.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace
{
constexpr double kFocalPx = 500.0;
constexpr double kCornerTolerancePx = 1e-6;
constexpr double kNoiseSigmaTolerance = 0.1;
constexpr int kDark = 60;    // below: ink
constexpr int kBright = 180; // above: paper

CameraParam Pinhole(int width, int height, double radial)
{
    CameraParam camera = IdealPinholeCamera(width, height, kFocalPx, width / 2.0, height / 2.0);
    camera.distFactor[2] = radial;
    return camera;
}

int Grey(const SynthFrame& frame, double x, double y)
{
    const size_t i = 4 * (static_cast<size_t>(std::lround(y)) * frame.width + std::lround(x));
    return (frame.bgra[i] + frame.bgra[i + 1] + frame.bgra[i + 2]) / 3;
}

// Point (x, y) of the marker frame, in observed pixels.
void Observed(const CameraParam& camera, const SynthMarker& marker, double x, double y, double* ox,
              double* oy)
{
    double p[3];
    for (int r = 0; r < 3; ++r)
        p[r] = marker.cameraFromMarker[r][0] * x + marker.cameraFromMarker[r][1] * y +
               marker.cameraFromMarker[r][3];
    const double u = camera.mat[0][0] * p[0] / p[2] + camera.mat[0][2];
    const double v = camera.mat[1][1] * p[1] / p[2] + camera.mat[1][2];
    idealToObserved(camera.distFactor, u, v, ox, oy);
}

SynthMarker Facing(const SynthPicture* picture, double turnDeg, double depth)
{
    SynthMarker marker;
    marker.picture = picture;
    marker.widthMm = 80.0;
    marker.marginMm = 20.0;
    const double position[3] = {0.0, 0.0, depth};
    markerPose(turnDeg, 0.0, 0.0, position, marker.cameraFromMarker);
    return marker;
}
} // namespace

TEST(Renderer, TruthOfAFacingMarkerIsThePinholeProjectionAndTurnsWithIt)
{
    const CFrameRenderer renderer(Pinhole(320, 240, 0.0), SynthOptions());
    const SynthTruth truth = renderer.Truth(Facing(nullptr, 0.0, 400.0));
    // Corner 0 is the picture's top left: (-40, 40) in the marker, up and
    // left in the image.
    const double expected[4][2] = {{110, 70}, {210, 70}, {210, 170}, {110, 170}};
    for (int k = 0; k < 4; ++k)
    {
        EXPECT_NEAR(truth.idealCorners[k][0], expected[k][0], kCornerTolerancePx) << k;
        EXPECT_NEAR(truth.idealCorners[k][1], expected[k][1], kCornerTolerancePx) << k;
    }
    EXPECT_TRUE(truth.inFront);

    // A quarter turn counter-clockwise on the screen takes corner 1 (top
    // right) to where corner 0 (top left) was.
    const SynthTruth turned = renderer.Truth(Facing(nullptr, 90.0, 400.0));
    EXPECT_NEAR(turned.idealCorners[1][0], expected[0][0], kCornerTolerancePx);
    EXPECT_NEAR(turned.idealCorners[1][1], expected[0][1], kCornerTolerancePx);
}

TEST(Renderer, InkPaperAndBackgroundLandWhereTheDistortedGeometryPutsThem)
{
    const CameraParam camera = Pinhole(320, 240, 40.0);
    SynthPicture white = makeBlockPicture(1);
    std::fill(white.bgr.begin(), white.bgr.end(), 255);
    SynthMarker marker = Facing(&white, 20.0, 300.0);
    SynthBackground background;
    background.grey = 120;
    const SynthFrame frame = CFrameRenderer(camera, SynthOptions()).Render({marker}, background);
    ASSERT_EQ(frame.bgra.size(), 320u * 240u * 4u);

    double x, y;
    Observed(camera, marker, -30.0, 0.0, &x, &y); // on the black border
    EXPECT_LT(Grey(frame, x, y), kDark);
    Observed(camera, marker, 0.0, 0.0, &x, &y); // the white picture
    EXPECT_GT(Grey(frame, x, y), kBright);
    Observed(camera, marker, 0.0, 49.0, &x, &y); // the paper margin
    EXPECT_GT(Grey(frame, x, y), kBright);
    Observed(camera, marker, 0.0, 70.0, &x, &y); // beyond the paper
    EXPECT_EQ(Grey(frame, x, y), 120);
    EXPECT_EQ(frame.bgra[3], 255);
}

TEST(Renderer, ThePicturesTopLeftCellIsPrintedAtCornerZero)
{
    const CameraParam camera = Pinhole(320, 240, 0.0);
    SynthPicture picture = makeBlockPicture(1);
    std::fill(picture.bgr.begin(), picture.bgr.end(), 255);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            for (int k = 0; k < 3; ++k)
                picture.bgr[(r * 16 + c) * 3 + k] = 0;
    for (const double turn : {0.0, 90.0, 200.0})
    {
        const SynthMarker marker = Facing(&picture, turn, 300.0);
        const SynthFrame frame =
            CFrameRenderer(camera, SynthOptions()).Render({marker}, SynthBackground());
        double x, y;
        // The picture spans -20..20; its top-left block is -20..-15, 15..20.
        Observed(camera, marker, -17.5, 17.5, &x, &y);
        EXPECT_LT(Grey(frame, x, y), kDark) << turn;
        Observed(camera, marker, 17.5, -17.5, &x, &y);
        EXPECT_GT(Grey(frame, x, y), kBright) << turn;
    }
}

TEST(Renderer, SingularCameraRendersNothing)
{
    CameraParam camera = Pinhole(32, 24, 0.0);
    camera.mat[2][2] = 0.0;
    const CFrameRenderer renderer(camera, SynthOptions());
    EXPECT_FALSE(renderer.Valid());
    EXPECT_TRUE(renderer.Render({}, SynthBackground()).bgra.empty());
}

TEST(FrameEffects, NoiseHasTheRequestedSigma)
{
    const std::vector<float> flat(3 * 200 * 200, 128.0f);
    std::vector<unsigned char> bgra;
    addNoiseAndPack(3.0, 7, flat, bgra);
    double sum = 0.0, squares = 0.0;
    size_t n = 0;
    for (size_t i = 0; i < bgra.size(); ++i)
        if (i % 4 != 3)
        {
            sum += bgra[i];
            squares += bgra[i] * bgra[i];
            ++n;
        }
    const double mean = sum / n;
    EXPECT_NEAR(mean, 128.0, 0.1);
    EXPECT_NEAR(std::sqrt(squares / n - mean * mean), 3.0, kNoiseSigmaTolerance);
}

TEST(FrameEffects, BlurSoftensAnEdgeAndKeepsFlatAreas)
{
    const int width = 20, height = 4;
    std::vector<float> image(3 * width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                image[3 * (y * width + x) + c] = x < 10 ? 0.0f : 200.0f;
    gaussianBlur(1.0, width, height, image);
    EXPECT_NEAR(image[3 * 2], 0.0f, 1e-3);
    EXPECT_NEAR(image[3 * 18], 200.0f, 1e-3);
    EXPECT_GT(image[3 * 9], 10.0f);
    EXPECT_LT(image[3 * 10], 190.0f);
    EXPECT_NEAR(image[3 * 9] + image[3 * 10], 200.0f, 1e-3) << "symmetric about the edge";
}

TEST(FrameEffects, MotionBlurSpreadsAnEdgeAlongItsDirectionOnly)
{
    const int width = 30, height = 30;
    std::vector<float> image(3 * width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::fill_n(&image[3 * (y * width + x)], 3, x < 15 ? 0.0f : 210.0f);
    std::vector<float> across = image;
    motionBlur(6.0, 0.0, width, height, across);
    motionBlur(6.0, 90.0, width, height, image);
    const auto at = [&](const std::vector<float>& picture, int x) { return picture[3 * (15 * width + x)]; };
    EXPECT_NEAR(at(image, 14), 0.0f, 1e-3) << "a blur along the edge leaves it sharp";
    EXPECT_NEAR(at(image, 15), 210.0f, 1e-3);
    // A straight ramp over the 6 px, symmetric about the edge at 14.5.
    EXPECT_NEAR(at(across, 11), 0.0f, 1e-3);
    EXPECT_NEAR(at(across, 18), 210.0f, 1e-3);
    EXPECT_NEAR(at(across, 14) + at(across, 15), 210.0f, 1e-3);
    EXPECT_NEAR(at(across, 16) - at(across, 15), 35.0f, 1.0);
}

TEST(FrameEffects, LightGrowsInItsDirectionAndFallsInAShadow)
{
    const int width = 100, height = 50;
    std::vector<float> image(3 * width * height, 100.0f);
    applyLightGradient(0.2, 0.0, width, height, image, 0.8);
    EXPECT_NEAR(image[3 * (25 * width + 0)], 60.0f, 1e-3);
    EXPECT_NEAR(image[3 * (25 * width + 50)], 80.0f, 1e-3);
    EXPECT_GT(image[3 * (25 * width + 99)], 99.0f);

    std::fill(image.begin(), image.end(), 100.0f);
    SynthShadow shadow;
    shadow.centrePx[0] = 50.0;
    shadow.centrePx[1] = 25.0;
    shadow.radiusPx = 10.0;
    shadow.softnessPx = 20.0;
    shadow.level = 0.5;
    applyShadow(shadow, width, height, image);
    EXPECT_NEAR(image[3 * (25 * width + 55)], 50.0f, 1e-3);
    EXPECT_NEAR(image[3 * (25 * width + 70)], 75.0f, 1e-3) << "halfway through the soft edge";
    EXPECT_NEAR(image[3 * (25 * width + 95)], 100.0f, 1e-3);
}

TEST(PatternPicture, TheFileHoldsThePictureInFourQuarterTurns)
{
    ScratchFolder folder;
    const SynthPicture picture = makeBlockPicture(3);
    const std::string path = folder.Path("block.patt");
    ASSERT_TRUE(writePatternFile(path, picture));
    std::string error;
    const SynthPicture read = readPatternPicture(path, error);
    ASSERT_EQ(read.width, 16) << error;
    EXPECT_EQ(read.bgr, picture.bgr);

    // Block 1 is the picture turned counter-clockwise: its first row is the
    // picture's last column, read from the top down.
    std::ifstream in(path);
    std::vector<int> values(3072);
    for (int& v : values)
        ASSERT_TRUE(in >> v);
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            EXPECT_EQ(values[768 + r * 16 + c], picture.bgr[(c * 16 + (15 - r)) * 3]);
}

TEST(PatternPicture, ABlockPictureDiffersFromItsQuarterTurns)
{
    for (uint32_t seed = 1; seed <= 20; ++seed)
    {
        const SynthPicture p = makeBlockPicture(seed);
        int differing = 0;
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 16; ++c)
                differing += p.bgr[(r * 16 + c) * 3] != p.bgr[(c * 16 + (15 - r)) * 3];
        EXPECT_GE(differing, 4 * 16) << seed;
    }
}

TEST(PatternPicture, UnreadableFilesGiveAnError)
{
    ScratchFolder folder;
    std::string error;
    EXPECT_EQ(readPatternPicture(folder.Path("missing.patt"), error).width, 0);
    EXPECT_NE(error.find("missing.patt"), std::string::npos);

    WriteBytes(folder.Path("short.patt"), "1 2 3\n");
    EXPECT_EQ(readPatternPicture(folder.Path("short.patt"), error).width, 0);
    EXPECT_NE(error.find("3072"), std::string::npos);

    std::string outOfRange(767 * 2, ' ');
    for (size_t i = 0; i < outOfRange.size(); i += 2)
        outOfRange[i] = '7';
    WriteBytes(folder.Path("range.patt"), outOfRange + "300");
    EXPECT_EQ(readPatternPicture(folder.Path("range.patt"), error).width, 0);
}
