// `zelmora-cli render` on the demo: the window's live drawing without a
// window, held against the ground truth the demo was rendered from.
#include "demo/demo_sequence.h"
#include "cli_runner.h"
#include "imaging/image_file.h"
#include "support/demo_marker.h"
#include "support/marker_projection.h"
#include "support/scratch_folder.h"
#include "support/video_decode.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <memory>

namespace
{
constexpr int kWidth = 640;
constexpr int kHeight = 480;
// The pose filter needs a frame or two to settle, and the covered marker's
// pose comes through the board: nearly every frame, not all.
constexpr double kMinOnMarkerShare = 0.9;
constexpr double kMaxOffMarkerShare = 0.1;

// The markers are black and white; the house's bricks and the sign's
// post and panel are coloured.
bool LooksLikeModel(const unsigned char* rgba)
{
    const auto [low, high] = std::minmax({rgba[0], rgba[1], rgba[2]});
    return high > low + 40;
}

// Where the demo camera sees the centre of `marker` in `frame`, in pixels.
// False when the marker is hidden or out of the picture.
bool MarkerCentre(int frame, int marker, int* u, int* v)
{
    double x = 0.0;
    double y = 0.0;
    DemoMarkerCentre(frame, marker, &x, &y);
    *u = int(x);
    *v = int(y);
    return DemoTruthAt(frame).visible[marker] && *u >= 0 && *u < kWidth && *v >= 0 &&
           *v < kHeight;
}

class RenderCli : public testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        s_pFolder = new ScratchFolder;
        const CliResult demo = RunCli({"demo", s_pFolder->Path("demo")});
        ASSERT_EQ(demo.exitCode, 0) << demo.err;
    }
    static void TearDownTestSuite()
    {
        delete s_pFolder;
        s_pFolder = nullptr;
    }
    static std::string Project() { return s_pFolder->Path("demo/demo.zel"); }

    static ScratchFolder* s_pFolder;
    ScratchFolder m_out;
};
ScratchFolder* RenderCli::s_pFolder = nullptr;
} // namespace

// The board carries the house and the single marker the glTF sign: each
// stands on its reference marker whenever the camera sees it, and nothing
// covers the board's second marker.
TEST_F(RenderCli, EveryFrameShowsTheModelsOnTheirMarkers)
{
    const std::string out = m_out.Path("demo.webm");
    const CliResult render = RunCli({"render", Project(), out});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    EXPECT_NE(render.err.find("render: 90 frames"), std::string::npos) << render.err;

    int onMarker = 0;
    int seen = 0;
    int onSecondMarker = 0;
    int secondSeen = 0;
    const DecodedVideo video = DecodeWebm(
        out, 0,
        [&](int frame, const unsigned char* rgba)
        {
            int u = 0;
            int v = 0;
            for (int marker : {0, 2})
                if (MarkerCentre(frame, marker, &u, &v))
                {
                    ++seen;
                    onMarker += LooksLikeModel(&rgba[(size_t(v) * kWidth + u) * 4]);
                }
            if (MarkerCentre(frame, 1, &u, &v))
            {
                ++secondSeen;
                onSecondMarker += LooksLikeModel(&rgba[(size_t(v) * kWidth + u) * 4]);
            }
        });
    EXPECT_EQ(video.error, "");
    ASSERT_EQ(video.frames, kDemoFrames);
    ASSERT_EQ(video.width, kWidth);
    ASSERT_GT(seen, kDemoFrames);
    EXPECT_GE(onMarker, seen * kMinOnMarkerShare) << onMarker << " of " << seen;
    EXPECT_LE(onSecondMarker, secondSeen * kMaxOffMarkerShare) << onSecondMarker;
}

// Numbered pictures at another size, in any of the editor's views.
TEST_F(RenderCli, PngSequenceHasOnePicturePerFrameAtTheChosenSize)
{
    constexpr int kFrames = 3;
    const CliResult render =
        RunCli({"render", Project(), m_out.Path("f%03d.png"), "--frames", std::to_string(kFrames),
                "--size", "320", "240", "--view", "top"});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    for (int frame = 0; frame <= kFrames; ++frame)
    {
        const std::string name = m_out.Path("f00" + std::to_string(frame) + ".png");
        BgraImage picture;
        std::string error;
        EXPECT_EQ(ReadImageFile(name, &picture, &error), frame < kFrames) << name;
        if (frame < kFrames)
        {
            EXPECT_EQ(picture.width, 320) << name;
            EXPECT_EQ(picture.height, 240) << name;
        }
    }
}

