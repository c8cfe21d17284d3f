#include "tracking/auto_threshold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

namespace
{
constexpr int kBlock = 16; // pixels the fast scan takes at once

std::vector<unsigned char> Uniform(int pixels, uint32_t colour)
{
    std::vector<unsigned char> frame(4 * static_cast<size_t>(pixels));
    for (int i = 0; i < pixels; ++i)
    {
        frame[4 * i] = colour & 0xFF;
        frame[4 * i + 1] = (colour >> 8) & 0xFF;
        frame[4 * i + 2] = (colour >> 16) & 0xFF;
        frame[4 * i + 3] = 0x5A;
    }
    return frame;
}
} // namespace

TEST(AutomaticThreshold, HalfwayBetweenTheDarkestAndTheBrightestGreyPixel)
{
    // grey 40, a saturated red (ignored), grey 200 with a small tint
    std::vector<unsigned char> frame = {40, 40, 40, 0, 0, 0, 255, 0, 195, 200, 205, 0};
    EXPECT_EQ(automaticThreshold(frame.data(), 3, 1), (40 + 200) / 2);
    EXPECT_EQ(automaticThreshold(Uniform(kBlock, 0x0000FF).data(), kBlock, 1), 127);
}

// Every colour of 24 bits, as a whole block of the fast scan: a block of one
// colour gives that colour's mean when it counts as grey, else 127; a block
// half white tells a grey 127 from a colour.
TEST(AutomaticThreshold, TheFastScanClassifiesEveryColourLikeThePlainOne)
{
    std::vector<unsigned char> block = Uniform(kBlock, 0);
    int mismatches = 0;
    for (uint32_t colour = 0; colour < (1u << 24) && mismatches < 5; ++colour)
    {
        for (int i = 0; i < kBlock; ++i)
        {
            block[4 * i] = colour & 0xFF;
            block[4 * i + 1] = (colour >> 8) & 0xFF;
            block[4 * i + 2] = colour >> 16;
        }
        const int fast = automaticThreshold(block.data(), kBlock, 1);
        bool same = fast == automaticThresholdPlain(block.data(), kBlock, 1);
        if (same && fast == 127)
        {
            std::fill(block.begin() + 4 * kBlock / 2, block.end(), 255);
            same = automaticThreshold(block.data(), kBlock, 1) ==
                   automaticThresholdPlain(block.data(), kBlock, 1);
        }
        if (!same)
        {
            ++mismatches;
            ADD_FAILURE() << "colour " << std::hex << colour;
        }
    }
}

// Frames of every length around the block size, and a large random one, so
// that the blocks, the tail and the reduction over lanes are all compared.
TEST(AutomaticThreshold, TheFastScanMatchesThePlainOneOnRandomFrames)
{
    std::mt19937 random(13);
    for (int width = 1; width <= 3 * kBlock + 1; ++width)
        for (int trial = 0; trial < 20; ++trial)
        {
            std::vector<unsigned char> frame(4 * width);
            const int base = static_cast<int>(random() % 256);
            for (unsigned char& byte : frame)
                byte = static_cast<unsigned char>(
                    std::clamp(base + static_cast<int>(random() % 41) - 20, 0, 255));
            ASSERT_EQ(automaticThreshold(frame.data(), width, 1),
                      automaticThresholdPlain(frame.data(), width, 1))
                << width;
        }
    std::vector<unsigned char> big(4 * 1920 * 1080);
    for (unsigned char& byte : big)
        byte = static_cast<unsigned char>(random());
    EXPECT_EQ(automaticThreshold(big.data(), 1920, 1080),
              automaticThresholdPlain(big.data(), 1920, 1080));
    EXPECT_EQ(automaticThreshold(big.data(), 0, 1080), 127);
}

// Ink 25 and paper 215 over a background at their halfway level: the
// threshold leaves the background's level for one well between ink and
// paper; over a background of paper it stays halfway.
TEST(AutomaticThreshold, DetectionsModeMovesOffACrowdedLevel)
{
    constexpr int kWidth = 64, kHeight = 64;
    for (const int background : {120, 215})
    {
        std::vector<unsigned char> frame = Uniform(kWidth * kHeight, background * 0x010101u);
        for (int y = 8; y < 24; ++y)
            for (int x = 8; x < 40; ++x)
                std::fill_n(&frame[4 * (y * kWidth + x)], 3, x < 24 ? 25 : 215);
        const int halfway = automaticThreshold(frame.data(), kWidth, kHeight);
        const int moved = automaticThresholdOffCrowd(frame.data(), kWidth, kHeight);
        EXPECT_EQ(halfway, 120);
        if (background == 215)
            EXPECT_EQ(moved, halfway);
        else
        {
            EXPECT_GT(std::abs(moved - background), 8);
            EXPECT_GE(moved, (25 + 120) / 2);
            EXPECT_LE(moved, (120 + 215) / 2);
        }
    }
    EXPECT_EQ(automaticThresholdOffCrowd(nullptr, 0, 0), automaticThreshold(nullptr, 0, 0));
}
