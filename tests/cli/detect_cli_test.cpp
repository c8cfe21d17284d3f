#include "cli_runner.h"
#include "support/scratch_folder.h"

#include "formats/camera_file.h"
#include "imaging/image_file.h"
#include "synth/pattern_picture.h"
#include "synth/synth_pose.h"
#include "tracking/camera_param.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace
{
constexpr double kCornerTolerancePx = 1.0;
constexpr double kRotationToleranceDeg = 2.0;
constexpr double kTranslationShare = 0.02;

std::vector<nlohmann::json> Lines(const std::string& text)
{
    std::vector<nlohmann::json> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(nlohmann::json::parse(line));
    return lines;
}

// A JSON transform as the 3 x 4 array the pose metrics take.
struct Transform
{
    explicit Transform(const nlohmann::json& rows)
    {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                m[r][c] = rows[r][c];
    }
    double m[3][4];
};

class DetectCli : public testing::Test
{
  protected:
    void SetUp() override
    {
        // Off-centre, with its distortion centre elsewhere again.
        CameraParam camera = IdealPinholeCamera(640, 480, 560.0, 318.5, 241.3);
        const double distortion[4] = {320.7, 239.6, 10.0, 1.0};
        std::copy_n(distortion, 4, camera.distFactor);
        ASSERT_TRUE(WriteCameraParamFile(m_folder.Path("cam.dat"), camera, nullptr));
        ASSERT_TRUE(writePatternFile(m_folder.Path("a.patt"), makeBlockPicture(21)));
        ASSERT_TRUE(writePatternFile(m_folder.Path("b.patt"), makeBlockPicture(22)));
    }

    // Renders markers given as --marker texts; the ground truth it prints.
    nlohmann::json Synth(const std::string& image, const std::vector<std::string>& markers,
                         const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> arguments = {
            "synth", "--camera", Path("cam.dat"), "-o",      Path(image), "--noise",
            "3",     "--blur",   "0.6",           "--light", "0.15"};
        for (const char* pattern : {"a.patt", "b.patt"})
            arguments.insert(arguments.end(), {"--pattern", Path(pattern)});
        for (const std::string& marker : markers)
            arguments.insert(arguments.end(), {"--marker", marker});
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return nlohmann::json::parse(result.out);
    }

    CliResult Detect(const std::vector<std::string>& extra)
    {
        std::vector<std::string> arguments = {"detect",      "--camera",     Path("cam.dat"),
                                              "--pattern",   Path("a.patt"), "--pattern",
                                              Path("b.patt")};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunCli(arguments);
    }

    std::string Path(const std::string& name) const { return m_folder.Path(name); }

    ScratchFolder m_folder;
};
} // namespace

TEST_F(DetectCli, RenderedMarkersAreFoundWithTheirPatternsCornersAndPoses)
{
    const auto truth = Synth("two.png", {"0,80,30,20,45,-90,-40,700", "1,80,200,35,100,80,60,600"});
    ASSERT_EQ(truth["markers"].size(), 2u);
    const CliResult result = Detect({Path("two.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["image"], Path("two.png"));
    EXPECT_EQ(lines[0]["threshold"], "adaptive");

    const auto& found = lines[0]["markers"];
    ASSERT_EQ(found.size(), 2u);
    for (const auto& expected : truth["markers"])
    {
        const auto match =
            std::find_if(found.begin(), found.end(),
                         [&](const auto& m) { return m["pattern"] == expected["pattern"]; });
        ASSERT_NE(match, found.end()) << expected;
        const auto& marker = *match;
        EXPECT_GE(double(marker["cf"]), 0.5);
        // Marker corner 0 is vertex (4 - dir) mod 4 of the record.
        const int dir = marker["dir"];
        for (int k = 0; k < 4; ++k)
        {
            const auto& vertex = marker["vertex"][(4 + k - dir) % 4];
            EXPECT_NEAR(double(vertex[0]), double(expected["vertex"][k][0]), kCornerTolerancePx);
            EXPECT_NEAR(double(vertex[1]), double(expected["vertex"][k][1]), kCornerTolerancePx);
        }
        const Transform found(marker["transform"]), truth(expected["transform"]);
        EXPECT_LT(rotationDifferenceDeg(found.m, truth.m), kRotationToleranceDeg);
        EXPECT_LT(translationErrorShare(found.m, truth.m), kTranslationShare);
        EXPECT_GE(double(marker["error"]), 0.0);
    }
}

TEST_F(DetectCli, ImagesAreIndependentUnlessTheyFormASequence)
{
    Synth("seen.png", {"1,80,0,0,0,0,0,600"});
    Synth("empty.png", {});
    const CliResult alone = Detect({"--threshold", "110", Path("seen.png"), Path("empty.png")});
    ASSERT_EQ(alone.exitCode, 0) << alone.err;
    const auto independent = Lines(alone.out);
    ASSERT_EQ(independent.size(), 2u);
    EXPECT_EQ(independent[0]["threshold"], 110);
    EXPECT_EQ(independent[0]["markers"].size(), 1u);
    EXPECT_TRUE(independent[1]["markers"].empty());

    const CliResult sequence = Detect({"--sequence", Path("seen.png"), Path("empty.png")});
    ASSERT_EQ(sequence.exitCode, 0) << sequence.err;
    const auto frames = Lines(sequence.out);
    ASSERT_EQ(frames.size(), 2u);
    ASSERT_EQ(frames[1]["markers"].size(), 1u) << "kept by the history";
    EXPECT_EQ(frames[1]["markers"][0]["pattern"], 1);
}

TEST_F(DetectCli, TheCameraFollowsTheImageSizeAndWidthScalesThePose)
{
    const auto truth = Synth("small.png", {"0,80,10,15,30,0,0,300"}, {"--size", "320x240"});
    EXPECT_EQ(truth["width"], 320);
    const CliResult result = Detect({"--width", "160", Path("small.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto marker = Lines(result.out)[0]["markers"][0];
    EXPECT_EQ(marker["pattern"], 0);
    // Twice the width seen at the same size in the image is twice as far.
    EXPECT_NEAR(double(marker["transform"][2][3]), 600.0, 600.0 * kTranslationShare);
}

TEST_F(DetectCli, WithoutItsPatternAMarkerHasNoIdentityAndNoPose)
{
    Synth("one.png", {"1,80,0,0,0,0,0,600"});
    const CliResult result = RunCli(
        {"detect", "--camera", Path("cam.dat"), "--pattern", Path("a.patt"), Path("one.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto markers = Lines(result.out)[0]["markers"];
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0]["pattern"], -1);
    EXPECT_EQ(markers[0]["id"], -1);
    EXPECT_TRUE(markers[0]["transform"].is_null());
    EXPECT_TRUE(markers[0]["error"].is_null());
}

TEST_F(DetectCli, LibraryDiagnosticsGoToStandardErrorNotIntoTheData)
{
    // A one-pixel line too long to trace prints "??? 3".
    BgraImage image(5300, 8);
    std::fill(image.pixels.begin(), image.pixels.end(), 230);
    for (int x = 20; x < 5220; ++x)
        std::fill_n(image.Pixel(x, 4), 3, 10);
    std::string error;
    ASSERT_TRUE(WritePngFile(Path("line.png"), image, &error)) << error;
    const CliResult result = Detect({Path("line.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Lines(result.out).size(), 1u);
    EXPECT_NE(result.err.find("??? 3"), std::string::npos);
}
