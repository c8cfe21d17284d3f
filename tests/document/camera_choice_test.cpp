#include "document/camera_choice.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace
{
CaptureDevice Webcam()
{
    return {"Integrated Camera", "/dev/video2", {{640, 480, false, {{30, 1}}}}};
}
} // namespace

TEST(CameraChoice, WritesTheConfigurationIntoTheProjectFolder)
{
    ScratchFolder folder;
    const CaptureDevice device = Webcam();
    std::string name, error;
    ASSERT_TRUE(WriteCameraChoice(folder.Path() + "/", device, device.modes[0], &name, &error))
        << error;
    EXPECT_EQ(name, "camara-video2.cfg");
    const std::string text = ReadBytes(folder.Path(name));
    EXPECT_NE(text.find("v4l2src device=/dev/video2 ! video/x-raw,width=640,height=480"),
              std::string::npos)
        << text;

    // The same choice again reuses its file; someone else's file of that
    // name is kept.
    ASSERT_TRUE(WriteCameraChoice(folder.Path() + "/", device, device.modes[0], &name, &error));
    EXPECT_EQ(name, "camara-video2.cfg");
    WriteBytes(folder.Path("camara-video2.cfg"), "# mine\n");
    ASSERT_TRUE(WriteCameraChoice(folder.Path() + "/", device, device.modes[0], &name, &error));
    EXPECT_EQ(name, "camara-video2-2.cfg");
    EXPECT_EQ(ReadBytes(folder.Path("camara-video2.cfg")), "# mine\n");
}

TEST(CameraChoice, AnUnwritableFolderIsSaid)
{
    const CaptureDevice device = Webcam();
    std::string name = "unchanged", error;
    EXPECT_FALSE(
        WriteCameraChoice("/nonexistent-folder/", device, device.modes[0], &name, &error));
    EXPECT_EQ(name, "unchanged");
    EXPECT_NE(error.find("/nonexistent-folder/camara-video2.cfg"), std::string::npos) << error;
}
