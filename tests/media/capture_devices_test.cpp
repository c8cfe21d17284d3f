#include "media/capture_devices.h"

#include <gtest/gtest.h>
#include <ostream>

namespace
{
// A webcam as the device monitor describes one: uncompressed frames up to
// 640 x 480 at 30 a second, the large sizes only as JPEG or slowly.
CaptureDevice Webcam()
{
    return {"Integrated Camera",
            "/dev/video0",
            {{640, 480, false, {{30, 1}, {15, 1}}},
             {1280, 720, false, {{10, 1}}},
             {1280, 720, true, {{30, 1}, {15, 1}}},
             {1920, 1080, false, {{5, 1}}},
             {320, 240, false, {{30, 1}}}}};
}

struct ConfigCase
{
    const char* name;
    int width, height;
    double rate;
    const char* expected; // the pipeline line, or the error
};

void PrintTo(const ConfigCase& c, std::ostream* os)
{
    *os << c.name;
}

class DeviceConfig : public testing::TestWithParam<ConfigCase>
{
};
} // namespace

TEST_P(DeviceConfig, WritesThePipelineOrSaysWhyNot)
{
    const ConfigCase c = GetParam();
    std::string text, error;
    const bool written = VideoConfigForDevice(Webcam(), c.width, c.height, c.rate, &text, &error);
    if (written)
        EXPECT_EQ(text.substr(text.find('\n') + 1), std::string(c.expected) + "\n");
    else
        EXPECT_EQ(error, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceConfig,
    testing::Values(
        // Uncompressed 30 fps beats compressed 30 fps at 1280 x 720 only if it has it: it
        // does not, so the smooth JPEG mode is taken; the largest smooth size by default.
        ConfigCase{"Default", 0, 0, 0.0,
                   "v4l2src device=/dev/video0 ! image/jpeg,width=1280,height=720,framerate=30/1 "
                   "! jpegdec"},
        ConfigCase{"Vga", 640, 480, 0.0,
                   "v4l2src device=/dev/video0 ! video/x-raw,width=640,height=480,framerate=30/1"},
        ConfigCase{"VgaSlow", 640, 480, 15.0,
                   "v4l2src device=/dev/video0 ! video/x-raw,width=640,height=480,framerate=15/1"},
        ConfigCase{"HdUncompressed", 1280, 720, 10.0,
                   "v4l2src device=/dev/video0 ! video/x-raw,width=1280,height=720,framerate=10/1"},
        ConfigCase{"SizeNotOffered", 800, 600, 0.0, "/dev/video0 does not offer 800 x 600 pixels"},
        ConfigCase{"RateNotOffered", 640, 480, 60.0,
                   "/dev/video0 does not offer 60 frames a second at 640 x 480 pixels"}),
    [](const testing::TestParamInfo<ConfigCase>& info) { return info.param.name; });

TEST(DeviceConfig, CommentNamesTheDevice)
{
    std::string text, error;
    ASSERT_TRUE(VideoConfigForDevice(Webcam(), 320, 240, 0.0, &text, &error));
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "# Integrated Camera (/dev/video0), 320 x 240 at 30 frames a second");
    CaptureDevice empty{"Nothing", "/dev/video3", {}};
    EXPECT_FALSE(VideoConfigForDevice(empty, 0, 0, 0.0, &text, &error));
    EXPECT_EQ(error, "/dev/video3 offers no frame size Zelmora can read");
}
