// The demo's video written on several threads, and its progress line.
#include "formats/camera_file.h"
#include "demo/demo_content.h"
#include "demo/demo_frames.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace
{
constexpr int kFrames = 5;

std::string Printed(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    return text;
}

// The demo's scene, through a camera with a sixteenth of its pixels.
bool WriteSmallFrames(const std::string& folder, int nThreads, std::string* error)
{
    const CameraParam demo = DemoCamera();
    const CameraParam camera = IdealPinholeCamera(
        demo.xsize / 4, demo.ysize / 4, demo.mat[0][0] / 4, demo.xsize / 8.0, demo.ysize / 8.0);
    std::vector<SynthPicture> printed;
    for (const DemoPicture& picture : DemoPictures())
        printed.push_back(ToSynthPicture(picture.picture));
    const SynthPicture* const markers[kDemoMarkers] = {&printed[0], &printed[1], &printed[2]};
    std::FILE* log = std::tmpfile();
    bool ok = false;
    {
        CDemoProgress progress(log, false, kFrames);
        ok = WriteDemoFrames(folder, camera, markers, kFrames, nThreads, progress, error);
    }
    // A run this short reports every frame written.
    const std::string text = Printed(log);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), ok ? kFrames : 0) << text;
    std::fclose(log);
    return ok;
}
} // namespace

TEST(DemoFrames, ThreadsWriteTheSameFilesAsOne)
{
    ScratchFolder folder;
    std::string error;
    for (const char* sub : {"one", "three"})
        std::filesystem::create_directory(folder.Path(sub));
    ASSERT_TRUE(WriteSmallFrames(folder.Path("one"), 1, &error)) << error;
    ASSERT_TRUE(WriteSmallFrames(folder.Path("three"), 3, &error)) << error;
    for (int frame = 0; frame < kFrames; ++frame)
    {
        const std::string name = "/fotograma000" + std::to_string(frame) + ".jpg";
        EXPECT_FALSE(ReadBytes(folder.Path("one") + name).empty()) << name;
        EXPECT_EQ(ReadBytes(folder.Path("three") + name), ReadBytes(folder.Path("one") + name));
    }
}

TEST(DemoFrames, AMissingFolderFailsWithItsName)
{
    ScratchFolder folder;
    std::string error;
    EXPECT_FALSE(WriteSmallFrames(folder.Path("falta"), 2, &error));
    EXPECT_NE(error.find(folder.Path("falta/fotograma")), std::string::npos) << error;
}

TEST(DemoProgress, ALineAPerTenthInALogRewrittenOnATerminal)
{
    struct Case
    {
        bool terminal;
        int total;
        int steps;
        const char* expected;
    };
    const Case cases[] = {
        {false, 20, 20,
         "Fotogramas: 2/20\nFotogramas: 4/20\nFotogramas: 6/20\nFotogramas: 8/20\n"
         "Fotogramas: 10/20\nFotogramas: 12/20\nFotogramas: 14/20\nFotogramas: 16/20\n"
         "Fotogramas: 18/20\nFotogramas: 20/20\n"},
        {false, 3, 3, "Fotogramas: 1/3\nFotogramas: 2/3\nFotogramas: 3/3\n"},
        {true, 2, 2, "\rFotogramas: 1/2\rFotogramas: 2/2\n"},
        // Stopped by a failure: the message that follows gets a line of its own.
        {true, 3, 1, "\rFotogramas: 1/3\n"},
    };
    for (const Case& c : cases)
    {
        std::FILE* stream = std::tmpfile();
        {
            CDemoProgress progress(stream, c.terminal, c.total);
            for (int i = 0; i < c.steps; ++i)
                progress.Advance();
        }
        EXPECT_EQ(Printed(stream), c.expected) << c.terminal << " " << c.total;
        std::fclose(stream);
    }
}
