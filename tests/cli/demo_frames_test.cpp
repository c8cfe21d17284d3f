// The demo's video written on several threads, and its progress line.
#include "cli/camera_file.h"
#include "cli/demo_content.h"
#include "cli/demo_frames.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace
{
constexpr int kFrames = 5;
constexpr int kScale = 4;

// The demo's scene through a camera with a sixteenth of its pixels.
CameraParam SmallCamera()
{
    const CameraParam demo = DemoCamera();
    return IdealPinholeCamera(demo.xsize / kScale, demo.ysize / kScale, demo.mat[0][0] / kScale,
                              demo.mat[0][2] / kScale, demo.mat[1][2] / kScale);
}

std::string Printed(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    return text;
}

class DemoFrames : public testing::Test
{
  protected:
    DemoFrames()
    {
        for (const DemoPicture& picture : DemoPictures())
            m_printed.push_back(ToSynthPicture(picture.picture));
    }

    bool Write(const std::string& folder, int nThreads, std::FILE* pLog, std::string* error)
    {
        const SynthPicture* const markers[kDemoMarkers] = {&m_printed[0], &m_printed[1],
                                                           &m_printed[2]};
        CDemoProgress progress(pLog, false, kFrames);
        return WriteDemoFrames(folder, SmallCamera(), markers, kFrames, nThreads, progress, error);
    }

    ScratchFolder m_folder;
    std::vector<SynthPicture> m_printed;
};
} // namespace

TEST_F(DemoFrames, ThreadsWriteTheSameFilesAsOne)
{
    std::string error;
    for (const char* sub : {"one", "three"})
        std::filesystem::create_directory(m_folder.Path(sub));
    std::FILE* log = std::tmpfile();
    ASSERT_TRUE(Write(m_folder.Path("one"), 1, log, &error)) << error;
    ASSERT_TRUE(Write(m_folder.Path("three"), 3, log, &error)) << error;
    for (int frame = 0; frame < kFrames; ++frame)
    {
        const std::string name = "/fotograma000" + std::to_string(frame) + ".png";
        const std::string bytes = ReadBytes(m_folder.Path("one") + name);
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(ReadBytes(m_folder.Path("three") + name), bytes) << name;
    }
    const std::string run = "Fotogramas: 1/5\nFotogramas: 2/5\nFotogramas: 3/5\n"
                            "Fotogramas: 4/5\nFotogramas: 5/5\n";
    EXPECT_EQ(Printed(log), run + run);
    std::fclose(log);
}

TEST_F(DemoFrames, AMissingFolderFailsWithItsName)
{
    std::string error;
    std::FILE* log = std::tmpfile();
    EXPECT_FALSE(Write(m_folder.Path("falta"), 2, log, &error));
    EXPECT_NE(error.find(m_folder.Path("falta/fotograma")), std::string::npos) << error;
    EXPECT_EQ(Printed(log), "");
    std::fclose(log);
}

TEST(DemoProgress, LinesOnATerminalAndInALog)
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
