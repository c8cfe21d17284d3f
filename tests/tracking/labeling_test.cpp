#include "labeling_reference.h"
#include "tracking/labeling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <vector>

namespace
{
constexpr int kThreshold = 100;

// Dark blobs of random size over a random sprinkling of dark pixels: merges
// of every kind, including the U-shapes that join labels late.
std::vector<unsigned char> RandomFrame(int width, int height, double sprinkle, int blobs,
                                       uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<unsigned char> frame(4 * static_cast<size_t>(width) * height, 200);
    auto darken = [&](int x, int y)
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        unsigned char* p = &frame[4 * (static_cast<size_t>(y) * width + x)];
        p[0] = p[1] = p[2] = static_cast<unsigned char>(unit(random) * 3 * kThreshold / 3);
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (unit(random) < sprinkle)
                darken(x, y);
    for (int b = 0; b < blobs; ++b)
    {
        const int cx = static_cast<int>(unit(random) * width);
        const int cy = static_cast<int>(unit(random) * height);
        const int r = 1 + static_cast<int>(unit(random) * 12);
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r && unit(random) < 0.9)
                    darken(x, y);
    }
    return frame;
}

void ExpectSameLabels(const LabelTables& fast, const LabelTables& reference)
{
    ASSERT_EQ(fast.provisionalCount, reference.provisionalCount);
    ASSERT_EQ(fast.regions.size(), reference.regions.size());
    for (size_t i = 0; i < fast.regions.size(); ++i)
    {
        const Region& a = fast.regions[i];
        const Region& b = reference.regions[i];
        EXPECT_EQ(a.area, b.area) << "region " << i + 1;
        EXPECT_EQ(a.pos[0], b.pos[0]);
        EXPECT_EQ(a.pos[1], b.pos[1]);
        EXPECT_EQ(a.minX, b.minX);
        EXPECT_EQ(a.maxX, b.maxX);
        EXPECT_EQ(a.minY, b.minY);
        EXPECT_EQ(a.maxY, b.maxY);
        EXPECT_EQ(a.startX, b.startX);
    }
    for (int y = 0; y < fast.ysize; ++y)
        for (int x = 0; x < fast.xsize; ++x)
            ASSERT_EQ(fast.DarkAt(x, y), reference.DarkAt(x, y)) << "pixel " << x << ", " << y;
}
} // namespace

struct RandomFrameCase
{
    int width;
    int height;
    double sprinkle;
    int blobs;
};

void PrintTo(const RandomFrameCase& c, std::ostream* os)
{
    *os << c.width << "x" << c.height << "_" << c.blobs << "blobs";
}

class LabelingMatchesReference : public testing::TestWithParam<RandomFrameCase>
{
};

TEST_P(LabelingMatchesReference, SameRegionsStatisticsAndMask)
{
    const RandomFrameCase c = GetParam();
    for (uint32_t seed = 1; seed <= 3; ++seed)
    {
        const auto frame = RandomFrame(c.width, c.height, c.sprinkle, c.blobs, seed);
        LabelTables fast, reference;
        labelImage(frame.data(), c.width, c.height, kThreshold, fast);
        labelImageReference(frame.data(), c.width, c.height, kThreshold, reference);
        ExpectSameLabels(fast, reference);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, LabelingMatchesReference,
    testing::Values(RandomFrameCase{3, 3, 0.5, 0}, RandomFrameCase{17, 5, 0.5, 0},
                    RandomFrameCase{64, 48, 0.45, 4}, RandomFrameCase{160, 120, 0.05, 40},
                    RandomFrameCase{320, 240, 0.3, 100}, RandomFrameCase{300, 200, 0.0, 300}));

TEST(Labeling, ThresholdComparesTheMeanOfThreeChannels)
{
    // Pixel sums 3t and 3t + 1 around threshold t.
    std::vector<unsigned char> frame(4 * 5 * 3, 255);
    unsigned char* dark = &frame[4 * (5 + 1)];
    dark[0] = 100;
    dark[1] = 101;
    dark[2] = 99;
    unsigned char* bright = &frame[4 * (5 + 3)];
    bright[0] = 100;
    bright[1] = 101;
    bright[2] = 100;
    LabelTables tables;
    labelImage(frame.data(), 5, 3, 100, tables);
    ASSERT_EQ(tables.regions.size(), 1u);
    EXPECT_EQ(tables.regions[0].minX, 1);
    EXPECT_FALSE(tables.DarkAt(3, 1));
}

TEST(Labeling, OutermostRowsAndColumnsCountAsBright)
{
    std::vector<unsigned char> frame(4 * 6 * 4, 0);
    LabelTables tables;
    labelImage(frame.data(), 6, 4, 100, tables);
    ASSERT_EQ(tables.regions.size(), 1u);
    const Region& region = tables.regions[0];
    EXPECT_EQ(region.area, 4 * 2);
    EXPECT_EQ(region.minX, 1);
    EXPECT_EQ(region.maxX, 4);
    EXPECT_EQ(region.minY, 1);
    EXPECT_EQ(region.maxY, 2);
}

TEST(Labeling, TheMostSpeckledFrameIsLabelledLikeTheReference)
{
    // Isolated dark pixels on every other row and column, the densest
    // pattern of new labels (319 x 239, far past the 16 bits of old), with
    // a dark block whose rows join many of them at once.
    const int width = 640, height = 480;
    std::vector<unsigned char> frame(4 * width * height, 255);
    for (int y = 1; y < height - 1; y += 2)
        for (int x = 1; x < width - 1; x += 2)
            std::fill_n(&frame[4 * (y * width + x)], 3, 0);
    for (int y = 300; y < 340; ++y)
        std::fill_n(&frame[4 * (y * width + 200)], 4 * 80, 0);
    LabelTables fast, reference;
    labelImage(frame.data(), width, height, 100, fast);
    labelImageReference(frame.data(), width, height, 100, reference);
    EXPECT_GT(fast.provisionalCount, 319 * 239 - 40 * 40);
    ExpectSameLabels(fast, reference);
}

TEST(Labeling, FramesLargerThan1024SquareAreLabelled)
{
    const int width = 1700, height = 1300;
    std::vector<unsigned char> frame(4 * static_cast<size_t>(width) * height, 255);
    for (int y = 1200; y < 1250; ++y)
        for (int x = 1600; x < 1680; ++x)
            std::fill_n(&frame[4 * (static_cast<size_t>(y) * width + x)], 3, 0);
    LabelTables tables;
    labelImage(frame.data(), width, height, 100, tables);
    ASSERT_EQ(tables.regions.size(), 1u);
    EXPECT_EQ(tables.regions[0].area, 50 * 80);
    EXPECT_EQ(tables.regions[0].maxX, 1679);
    EXPECT_EQ(tables.regions[0].maxY, 1249);
    EXPECT_DOUBLE_EQ(tables.regions[0].pos[0], 1639.5);
}
