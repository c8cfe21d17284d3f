#include "media/frame_listener.h"
#include "media/gst_frame_source.h"
#include "media/video_source.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace
{
// Generous: a loaded CI machine may take a while to start a pipeline, and a
// test that waits for frames must not hang when none come.
constexpr int kFrameTimeoutMs = 5000;

void WriteConfig(const std::string& path, const std::string& pipeline)
{
    std::ofstream out(path);
    out << "# written by the test\n" << pipeline << "\n";
}

// Runs a GStreamer pipeline to its end, to write test pictures.
void Launch(const std::string& pipeline)
{
    const std::string command = "gst-launch-1.0 -q " + pipeline;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

struct CountingListener : CFrameListener
{
    void OnFrame(const unsigned char* image, int width, int height) override
    {
        ++m_nFrames;
        m_nWidth = width;
        m_nHeight = height;
        m_nLastByte = image[4 * width * height - 1];
    }
    int m_nFrames = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nLastByte = -1;
};

// Grabs until `wanted` frames arrived or the stream ended.
CVideoSource::Grab GrabFrames(CVideoSource& source, CountingListener& listener, int wanted)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (listener.m_nFrames < wanted && std::chrono::steady_clock::now() < deadline)
    {
        const CVideoSource::Grab grab = source.GrabFrame(&listener, kFrameTimeoutMs);
        if (grab == CVideoSource::Grab::Ended)
            return grab;
    }
    return CVideoSource::Grab::Frame;
}
} // namespace

TEST(VideoSource, TestPatternOpensAtItsSizeAndHandsOutBgraFrames)
{
    ScratchFolder folder;
    for (const auto& [width, height] : {std::pair{320, 240}, {1280, 720}, {1920, 1080}})
    {
        WriteConfig(folder.Path("camera.cfg"),
                    "videotestsrc is-live=true ! video/x-raw,width=" + std::to_string(width) +
                        ",height=" + std::to_string(height) + ",framerate=30/1");
        CVideoSource source(folder.Path("camera.cfg"));
        ASSERT_TRUE(source.m_pSource) << source.Error();
        EXPECT_EQ(source.m_nWidth, width);
        EXPECT_EQ(source.m_nHeight, height);
        EXPECT_DOUBLE_EQ(source.m_dFrameRate, 30.0);
        EXPECT_GE(source.m_nTextureSize, std::max(width, height));
        EXPECT_LE(source.GetTexScaleX(), 1.0);

        CountingListener listener;
        GrabFrames(source, listener, 3);
        EXPECT_EQ(listener.m_nFrames, 3);
        EXPECT_EQ(listener.m_nWidth, width);
        EXPECT_EQ(listener.m_nLastByte, 255) << "alpha of the last pixel";
    }
}

TEST(VideoSource, OpeningFailuresSayWhy)
{
    ScratchFolder folder;
    struct Case
    {
        const char* pipeline; // null: no file at all
        const char* expected;
    };
    const Case cases[] = {
        {"nosuchelement ! videoconvert", "nosuchelement"},
        {"filesrc location=absent.avi ! decodebin", "absent.avi"},
        {"# only a comment", "ninguna fuente"},
        {nullptr, "No such file"},
    };
    for (const Case& c : cases)
    {
        if (c.pipeline)
            WriteConfig(folder.Path("bad.cfg"), c.pipeline);
        else
            std::remove(folder.Path("bad.cfg").c_str());
        CVideoSource source(folder.Path("bad.cfg"));
        EXPECT_FALSE(source.m_pSource) << c.expected;
        EXPECT_NE(source.Error().find(c.expected), std::string::npos) << source.Error();
    }
    CVideoSource empty("");
    EXPECT_FALSE(empty.m_pSource);
}

TEST(VideoSource, RecordedSequenceGivesEveryFrameOnceThenEnds)
{
    ScratchFolder folder;
    Launch("videotestsrc num-buffers=12 ! video/x-raw,width=160,height=120 ! pngenc ! "
           "multifilesink location=" +
           folder.Path("f%04d.png"));
    WriteConfig(folder.Path("seq.cfg"), "multifilesrc location=" + folder.Path("f%04d.png") +
                                            " caps=image/png,framerate=30/1 ! pngdec");
    CVideoSource source(folder.Path("seq.cfg"), true);
    ASSERT_TRUE(source.m_pSource) << source.Error();
    CountingListener listener;
    EXPECT_EQ(GrabFrames(source, listener, 1000), CVideoSource::Grab::Ended);
    EXPECT_EQ(listener.m_nFrames, 12);
    EXPECT_TRUE(source.Error().empty()) << source.Error();
}

TEST(VideoSource, ErrorOnTheBusEndsTheStreamWithItsCause)
{
    // A source that fails after three frames, as an unplugged camera does.
    ScratchFolder folder;
    WriteConfig(folder.Path("failing.cfg"),
                "videotestsrc ! video/x-raw,width=160,height=120 ! identity error-after=3");
    CVideoSource source(folder.Path("failing.cfg"), true);
    ASSERT_TRUE(source.m_pSource) << source.Error();
    CountingListener listener;
    EXPECT_EQ(GrabFrames(source, listener, 1000), CVideoSource::Grab::Ended);
    EXPECT_LE(listener.m_nFrames, 3);
    EXPECT_NE(source.Error().find("identity"), std::string::npos) << source.Error();
}

TEST(VideoSource, APlayedRecordingLoopsFromItsFirstFrameAtItsEnd)
{
    // Three one-colour frames: a restart that does not rewind the source
    // shows up as colours out of order, an end that is not looped as Ended.
    ScratchFolder folder;
    const char* const colours[] = {"red", "green", "blue"};
    for (int k = 0; k < 3; ++k)
        Launch("videotestsrc pattern=" + std::string(colours[k]) +
               " num-buffers=1 ! video/x-raw,width=32,height=24 ! pngenc ! filesink location=" +
               folder.Path("c" + std::to_string(k) + ".png"));
    WriteConfig(folder.Path("seq.cfg"), "multifilesrc location=" + folder.Path("c%d.png") +
                                            " caps=image/png,framerate=100/1 ! pngdec");
    CVideoSource source(folder.Path("seq.cfg"));
    ASSERT_TRUE(source.m_pSource) << source.Error();
    // Which channel of the first pixel is lit: 0 blue, 1 green, 2 red.
    struct Channels : CFrameListener
    {
        void OnFrame(const unsigned char* image, int, int) override
        {
            m_seen += char('0' + (image[2] > 128 ? 2 : image[1] > 128 ? 1 : 0));
        }
        std::string m_seen;
    } listener;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (listener.m_seen.size() < 9 && std::chrono::steady_clock::now() < deadline)
        ASSERT_NE(source.GrabFrame(&listener, kFrameTimeoutMs), CVideoSource::Grab::Ended);
    EXPECT_EQ(listener.m_seen, "210210210");
}
