#include "document/zelmora_doc.h"
#include "tracking/camera_param.h"
#include "tracking/pattern_matching.h"
#include "formats/archive.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const std::string kNewProjectBytes("\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00"
                                   "\x01\x00\x00\x00\x00\x00\x00\x00",
                                   22);

std::string Saved(CZelmoraDoc& doc)
{
    CArchive ar;
    doc.Serialize(ar);
    return ar.Bytes();
}

class CountingNavigator : public CNavigatorHost
{
public:
    void RefreshTree() override { ++m_nRefreshes; }
    int m_nRefreshes = 0;
};
} // namespace

TEST(DocumentFile, NewProjectIsTheTwentyTwoBytesAndLoadsBackToDefaults)
{
    ScratchFolder folder;
    CZelmoraDoc doc;
    FillSampleProject(doc);
    doc.OnNewDocument();
    EXPECT_TRUE(doc.m_trackers.empty());
    EXPECT_TRUE(doc.m_strProjectDir.empty());
    ASSERT_TRUE(doc.SaveProject(folder.Path("new.zel"), nullptr));
    EXPECT_EQ(ReadBytes(folder.Path("new.zel")), kNewProjectBytes);
    EXPECT_EQ(doc.m_strProjectDir, folder.Path() + "/");

    CZelmoraDoc loaded;
    FillSampleProject(loaded);
    ASSERT_TRUE(loaded.OpenProject(folder.Path("new.zel"), nullptr));
    EXPECT_TRUE(loaded.m_trackers.empty());
    EXPECT_TRUE(loaded.m_settings.m_bAutoThreshold);
    EXPECT_EQ(loaded.m_settings.m_nThreshold, 0);
    EXPECT_TRUE(loaded.m_settings.m_bSingleView);
    EXPECT_EQ(loaded.m_settings.m_nViewZoom, 1);
    EXPECT_EQ(std::filesystem::current_path().string() + "/", folder.Path() + "/");
}

TEST(DocumentFile, SampleProjectRoundTripsByteForByte)
{
    ScratchFolder folder;
    CZelmoraDoc doc;
    FillSampleProject(doc);
    const std::string bytes = Saved(doc);
    WriteBytes(folder.Path("sample.zel"), bytes);

    CZelmoraDoc loaded;
    CountingNavigator navigator;
    loaded.SetNavigator(&navigator);
    loaded.m_settings.m_bRecordRelations = false;
    loaded.m_nThresholdCountdown = 3;
    ASSERT_TRUE(loaded.OpenProject(folder.Path("sample.zel"), nullptr));
    EXPECT_EQ(Saved(loaded), bytes);
    EXPECT_EQ(loaded.m_trackers.back().m_strName, "Marca Ω");
    EXPECT_FALSE(loaded.m_trackers.back().HasReference());
    EXPECT_EQ(loaded.m_trackers.front().ReferenceIndex(), 0);
    EXPECT_TRUE(loaded.m_settings.m_bRecordRelations);
    EXPECT_EQ(loaded.m_nThresholdCountdown, 24);
    EXPECT_EQ(navigator.m_nRefreshes, 1);
}

TEST(DocumentFile, EveryTruncationFailsAndKeepsThePreviousProject)
{
    ScratchFolder folder;
    CZelmoraDoc sample;
    FillSampleProject(sample);
    const std::string bytes = Saved(sample);

    CZelmoraDoc doc;
    FillSampleProject(doc);
    doc.m_trackers.front().m_strName = "previous";
    ASSERT_TRUE(doc.SaveProject(folder.Path("previous.zel"), nullptr));
    const std::string before = Saved(doc);
    const std::string directoryBefore = doc.m_strProjectDir;

    for (size_t length = 0; length < bytes.size(); ++length)
    {
        WriteBytes(folder.Path("cut.zel"), bytes.substr(0, length));
        std::string error;
        ASSERT_FALSE(doc.OpenProject(folder.Path("cut.zel"), &error)) << length;
        EXPECT_NE(error.find("cut.zel"), std::string::npos) << error;
        EXPECT_NE(error.find("at byte"), std::string::npos) << error;
        ASSERT_EQ(Saved(doc), before) << "truncated at " << length;
        EXPECT_EQ(doc.m_strProjectDir, directoryBefore);
    }
}

TEST(DocumentFile, AbsurdCountsAndMissingFilesGiveClearErrors)
{
    ScratchFolder folder;
    std::string bytes = kNewProjectBytes;
    bytes.replace(18, 4, "\xff\xff\xff\x7f", 4);
    WriteBytes(folder.Path("huge.zel"), bytes);
    CZelmoraDoc doc;
    doc.OnNewDocument();
    std::string error;
    EXPECT_FALSE(doc.OpenProject(folder.Path("huge.zel"), &error));
    EXPECT_NE(error.find("trackers"), std::string::npos) << error;

    EXPECT_FALSE(doc.OpenProject(folder.Path("absent.zel"), &error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_FALSE(doc.OpenProject(folder.Path(""), &error));
}

// Runs `save` in a child process under `limit`, which the child sets on itself
// first, and returns the child's exit status.
template <typename Limit, typename Save> int InChild(Limit limit, Save save)
{
    const pid_t child = fork();
    if (child == 0)
    {
        limit();
        _exit(save() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST(DocumentFile, FailedSaveKeepsTheOldFile)
{
    ScratchFolder folder;
    CZelmoraDoc doc;
    FillSampleProject(doc);
    ASSERT_TRUE(doc.SaveProject(folder.Path("keep.zel"), nullptr));
    const std::string original = ReadBytes(folder.Path("keep.zel"));
    FillSampleProject(doc);
    doc.m_trackers.front().m_strName = std::string(5000, 'x');

    // A full disk: the file size limit stops the write part-way.
    const int fullDisk = InChild(
        [] {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit small{100, 100};
            setrlimit(RLIMIT_FSIZE, &small);
        },
        [&] {
            std::string error;
            return !doc.SaveProject(folder.Path("keep.zel"), &error) &&
                   error.find("File too large") != std::string::npos;
        });
    EXPECT_EQ(fullDisk, 0);
    EXPECT_EQ(ReadBytes(folder.Path("keep.zel")), original);

    // No permission: a read-only folder, seen by a user who is not root.
    chmod(folder.Path().c_str(), 0555);
    const int readOnly = InChild(
        [] {
            if (geteuid() == 0 && setuid(65534) != 0)
                _exit(2);
        },
        [&] {
            std::string error;
            return !doc.SaveProject(folder.Path("keep.zel"), &error) &&
                   error.find("Permission denied") != std::string::npos;
        });
    chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(readOnly, 0);
    EXPECT_EQ(ReadBytes(folder.Path("keep.zel")), original);
    EXPECT_EQ(std::filesystem::directory_iterator(folder.Path())->path().filename(), "keep.zel");
}

TEST(DocumentFile, NamedPipesAreRefusedNotWaitedOn)
{
    ScratchFolder folder;
    const std::string pipe = folder.Path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Opening a pipe without a writer would block for ever: the alarm turns
    // such a hang into a failure.
    alarm(20);
    CZelmoraDoc doc;
    doc.OnNewDocument();
    std::string error;
    EXPECT_FALSE(doc.OpenProject(pipe, &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_EQ(loadPattern(pipe.c_str()), -1);
    CameraParam camera;
    EXPECT_EQ(loadCameraParam(pipe.c_str(), 1, &camera), -1);
    CVideoSource video(pipe);
    EXPECT_FALSE(video.m_pSource);
    alarm(0);
}
