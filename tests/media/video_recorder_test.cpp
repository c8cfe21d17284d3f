#include "media/video_recorder.h"
#include "support/scratch_folder.h"
#include "support/video_decode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace
{
constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr double kFrameRate = 30.0;
// VP8 smears colours at edges and shifts them a little overall.
constexpr int kColourTolerance = 40;

// Red above, blue below, in the order the rows are handed over.
std::vector<unsigned char> SplitFrame(bool bottomUp)
{
    std::vector<unsigned char> rgba(size_t(kWidth) * kHeight * 4);
    for (int row = 0; row < kHeight; ++row)
    {
        const bool top = (row < kHeight / 2) != bottomUp;
        for (int x = 0; x < kWidth; ++x)
        {
            unsigned char* pixel = &rgba[(size_t(row) * kWidth + x) * 4];
            pixel[0] = top ? 230 : 20;
            pixel[2] = top ? 20 : 230;
            pixel[1] = 20;
            pixel[3] = 255;
        }
    }
    return rgba;
}

bool Near(const unsigned char* pixel, int r, int g, int b)
{
    return std::abs(pixel[0] - r) <= kColourTolerance &&
           std::abs(pixel[1] - g) <= kColourTolerance && std::abs(pixel[2] - b) <= kColourTolerance;
}

class RecorderOrientation : public testing::TestWithParam<bool>
{
};
} // namespace

TEST_P(RecorderOrientation, EveryFramePlaysBackUpright)
{
    constexpr int kFrames = 12;
    ScratchFolder folder;
    const std::string path = folder.Path("out.webm");
    std::string error;
    auto recorder = CVideoRecorder::Open(path, kWidth, kHeight, kFrameRate, &error);
    ASSERT_TRUE(recorder) << error;
    const std::vector<unsigned char> frame = SplitFrame(GetParam());
    for (int k = 0; k < kFrames; ++k)
        EXPECT_TRUE(recorder->Submit(frame.data(), GetParam(), true));
    const CVideoRecorder::Summary summary = recorder->Finish();
    EXPECT_EQ(summary.strError, "");
    EXPECT_EQ(summary.nWritten, kFrames);
    EXPECT_EQ(summary.nDropped, 0);

    const DecodedVideo video = DecodeWebm(path, kFrames / 2);
    EXPECT_EQ(video.error, "");
    EXPECT_EQ(video.frames, kFrames);
    ASSERT_EQ(video.width, kWidth);
    ASSERT_EQ(video.height, kHeight);
    EXPECT_TRUE(Near(video.At(kWidth / 2, kHeight / 4), 230, 20, 20)) << "red on top";
    EXPECT_TRUE(Near(video.At(kWidth / 2, 3 * kHeight / 4), 20, 20, 230)) << "blue below";
}

INSTANTIATE_TEST_SUITE_P(Rows, RecorderOrientation, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info)
                         { return info.param ? "BottomUp" : "TopDown"; });

// Frames handed over faster than the encoder takes them are dropped, not
// waited for; the file holds exactly the ones that were taken. Noise keeps
// the encoder far slower than a copy on any machine; a flat grey picture
// encodes nearly as fast as it is copied on a quick one.
TEST(VideoRecorder, AFullQueueDropsAndCountsFrames)
{
    constexpr int kLargeWidth = 1920;
    constexpr int kLargeHeight = 1080;
    constexpr int kFrames = 48;
    ScratchFolder folder;
    const std::string path = folder.Path("burst.webm");
    std::string error;
    auto recorder = CVideoRecorder::Open(path, kLargeWidth, kLargeHeight, kFrameRate, &error);
    ASSERT_TRUE(recorder) << error;
    std::vector<unsigned char> frame(size_t(kLargeWidth) * kLargeHeight * 4);
    unsigned seed = 12345;
    for (unsigned char& byte : frame)
    {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(seed >> 24);
    }
    for (int k = 0; k < kFrames; ++k)
        recorder->Submit(frame.data(), false);
    const CVideoRecorder::Summary summary = recorder->Finish();
    EXPECT_EQ(summary.strError, "");
    EXPECT_GT(summary.nDropped, 0) << summary.nWritten << " written";
    EXPECT_EQ(summary.nWritten + summary.nDropped, kFrames);
    EXPECT_EQ(DecodeWebm(path, 0).frames, summary.nWritten);
}

TEST(VideoRecorder, AFileThatCannotBeCreatedIsRefusedAtOnce)
{
    ScratchFolder folder;
    const std::string path = folder.Path("no-such-folder/out.webm");
    std::string error;
    EXPECT_FALSE(CVideoRecorder::Open(path, kWidth, kHeight, kFrameRate, &error));
    EXPECT_NE(error, "");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(CVideoRecorder::Open(folder.Path("empty.webm"), 0, kHeight, kFrameRate, &error));
}

// A full disk stops the recording with the reason instead of hanging or
// taking frames nobody will see.
TEST(VideoRecorder, AFullDiskFailsWithItsReason)
{
    std::string error;
    auto recorder = CVideoRecorder::Open("/dev/full", kWidth, kHeight, kFrameRate, &error);
    ASSERT_TRUE(recorder) << error;
    const std::vector<unsigned char> frame = SplitFrame(false);
    for (int k = 0; k < 300 && !recorder->Failed(); ++k)
        recorder->Submit(frame.data(), false, true);
    const CVideoRecorder::Summary summary = recorder->Finish();
    EXPECT_NE(summary.strError, "");
    EXPECT_FALSE(recorder->Submit(frame.data(), false, true));
}
