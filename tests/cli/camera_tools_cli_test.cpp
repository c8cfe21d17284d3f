#include "cli_runner.h"
#include "support/scratch_folder.h"

#include "imaging/image_file.h"
#include "synth/board_views.h"
#include "synth/frame_renderer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace
{
// The webcam at 640 x 360, rendered four times as fast as at full size.
constexpr int kWidth = 640;
constexpr int kHeight = 360;
const char* const kOldCamera = "an earlier calibration";

CameraParam SmallWebcam()
{
    CameraParam camera;
    changeCameraParamSize(WebcamLikeCamera(), kWidth, kHeight, &camera);
    return camera;
}

// PNG pictures board0.png ... in `folder`: `boards` views of the 9 x 6 board
// with 20 mm squares, moved distanceScale times as far from the camera,
// then `blanks` pictures without a board.
std::vector<std::string> WritePictures(const ScratchFolder& folder, int boards, int blanks = 0,
                                       double distanceScale = 1.0)
{
    const CameraParam camera = SmallWebcam();
    SynthOptions options;
    options.blurSigmaPx = 0.5;
    options.noiseSigma = 1.5;
    std::vector<SynthMarker> views = CalibrationBoardViews(camera, 9, 6, 20.0, boards);
    for (SynthMarker& view : views)
        for (int r = 0; r < 3; ++r)
            view.cameraFromMarker[r][3] *= distanceScale;
    std::vector<std::string> paths;
    for (int k = 0; k < boards + blanks; ++k)
    {
        std::vector<SynthMarker> scene;
        if (k < boards)
            scene.push_back(views[k]);
        SynthFrame frame = CFrameRenderer(camera, options).Render(scene, SynthBackground());
        BgraImage image;
        image.width = frame.width;
        image.height = frame.height;
        image.pixels = std::move(frame.bgra);
        paths.push_back(folder.Path("board" + std::to_string(k) + ".png"));
        std::string error;
        EXPECT_TRUE(WritePngFile(paths.back(), image, &error)) << error;
    }
    return paths;
}

std::vector<std::string> Calibrate(const std::vector<std::string>& pictures, const std::string& out,
                                   const std::vector<std::string>& extra = {})
{
    std::vector<std::string> arguments = {"camera", "calibrate", "--board", "9",
                                          "6",      "--square",  "20"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    arguments.insert(arguments.end(), pictures.begin(), pictures.end());
    arguments.push_back(out);
    return arguments;
}
} // namespace

TEST(CameraCalibrateCli, WritesTheCameraAndReportsEveryPicture)
{
    ScratchFolder folder;
    const std::vector<std::string> pictures = WritePictures(folder, 5, 1);
    const std::string out = folder.Path("camara.dat");
    const CliResult result = RunCli(Calibrate(pictures, out, {"--size", "1280", "720"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadBytes(out).size(), 136u);
    EXPECT_NE(result.err.find(pictures[5] + ": left out"), std::string::npos) << result.err;
    for (int k = 0; k < 5; ++k)
        EXPECT_NE(result.out.find(pictures[k]), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("overall"), std::string::npos);
    // Written for the size asked for.
    EXPECT_NE(RunCli({"camera", "show", out}).out.find("SIZE = 1280, 720"), std::string::npos);
}

TEST(CameraCalibrateCli, TakesSpreadFramesFromAVideo)
{
    ScratchFolder folder;
    WritePictures(folder, 6);
    const std::string config = folder.Path("video.cfg");
    WriteBytes(config, "multifilesrc location=" + folder.Path("board%d.png") +
                           " index=0 stop-index=5 caps=image/png,framerate=10/1 ! pngdec\n");
    const std::string out = folder.Path("camara.dat");
    const CliResult result = RunCli(Calibrate({}, out, {"--video", config, "--frames", "4"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("kept 4 of 4"), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(out).size(), 136u);
}

struct BadCalibration
{
    const char* name;
    int boards, blanks;
    double distanceScale;
    std::vector<std::string> extra; // more arguments; "VIDEO" stands for a failing video
    int exitCode;
    const char* message;
};

void PrintTo(const BadCalibration& c, std::ostream* os)
{
    *os << c.name;
}

class CameraCalibrateBadInput : public testing::TestWithParam<BadCalibration>
{
};

TEST_P(CameraCalibrateBadInput, SaysWhatIsWrongAndKeepsTheOldFile)
{
    const BadCalibration c = GetParam();
    ScratchFolder folder;
    std::vector<std::string> pictures = WritePictures(folder, c.boards, c.blanks, c.distanceScale);
    std::vector<std::string> extra = c.extra;
    for (std::string& argument : extra)
        if (argument == "VIDEO")
        {
            // A camera unplugged mid-run: the stream fails after two frames.
            argument = folder.Path("video.cfg");
            WriteBytes(argument, "multifilesrc location=" + folder.Path("board%d.png") +
                                     " index=0 stop-index=2 caps=image/png,framerate=10/1 ! "
                                     "pngdec ! identity error-after=2\n");
            pictures.clear();
        }
        else if (argument == "MISSING")
            argument = folder.Path("missing.png");
    const std::string out = folder.Path("camara.dat");
    WriteBytes(out, kOldCamera);
    const CliResult result = RunCli(Calibrate(pictures, out, extra));
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(out), kOldCamera);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CameraCalibrateBadInput,
    testing::Values(
        BadCalibration{"NoBoardAnywhere", 0, 3, 1.0, {}, 1, "found in 0 pictures; at least 3"},
        BadCalibration{"TwoUsablePictures", 2, 2, 1.0, {}, 1, "found in 2 pictures; at least 3"},
        BadCalibration{"BoardsTooSmall", 3, 0, 1.6, {}, 1, "the board covers less than"},
        BadCalibration{"MissingPicture", 3, 0, 1.0, {"MISSING"}, 1, "missing.png"},
        BadCalibration{"OtherShape", 3, 0, 1.0, {"--size", "640", "480"}, 1, "another shape"},
        BadCalibration{"VideoFails", 3, 0, 1.0, {"--video", "VIDEO"}, 1, "the video stopped"},
        BadCalibration{"PicturesAndVideo", 3, 0, 1.0, {"--video", "v.cfg"}, 2, "not both"},
        BadCalibration{"OneCornerBoard", 3, 0, 1.0, {"--board", "1", "6"}, 2, "--board"},
        BadCalibration{"NoSquare", 3, 0, 1.0, {"--square", "nan"}, 2, "--square"}),
    [](const testing::TestParamInfo<BadCalibration>& info) { return info.param.name; });

TEST(CameraBoardCli, DrawsThePrintableBoard)
{
    ScratchFolder folder;
    const std::string out = folder.Path("tablero.png");
    const CliResult result =
        RunCli({"camera", "board", "--cols", "9", "--rows", "6", "--square", "25", out});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    BgraImage picture;
    std::string error;
    ASSERT_TRUE(ReadImageFile(out, &picture, &error)) << error;
    EXPECT_EQ(picture.width, 12 * 100);
    EXPECT_EQ(picture.height, 10 * 100);
}

// This machine has no camera: the list is empty, and a configuration for a
// device that is not there is refused.
TEST(CameraDeviceCli, ListsNoDeviceWhereThereIsNone)
{
    if (std::filesystem::exists("/dev/video0"))
        GTEST_SKIP() << "a camera is connected";
    const CliResult text = RunCli({"camera", "list"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "No video capture device found.\n");
    const CliResult json = RunCli({"camera", "list", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "[]\n");

    ScratchFolder folder;
    const CliResult config =
        RunCli({"camera", "config", "--device", "/dev/video0", folder.Path("v.cfg")});
    EXPECT_EQ(config.exitCode, 1);
    EXPECT_NE(config.err.find("no video capture device at /dev/video0 (none is connected)"),
              std::string::npos)
        << config.err;
    EXPECT_FALSE(std::fopen(folder.Path("v.cfg").c_str(), "r"));
}
