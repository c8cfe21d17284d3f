#include "tracking/labeling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <utility>
#include <vector>

namespace
{
constexpr int kThreshold = 100;

// Dark blobs of random size over a random sprinkling of dark pixels: merges
// of every kind, including the U-shapes that join labels late. Each channel
// is drawn on its own up to a little past the threshold, so pixels whose
// channels straddle it and sums right at three times it are common.
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
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<unsigned char>(random() % (kThreshold + 11));
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

// The labeling done the plain way, for comparison: a pixel is dark when its
// three channels sum to at most three times the threshold, the outermost
// rows and columns never are, and each 8-connected region is flood-filled
// from its first pixel in raster order, the order the fast pass numbers
// regions in. The fast pass opens a provisional label at every dark pixel
// whose four neighbours already scanned are bright.
LabelTables ReferenceLabels(const std::vector<unsigned char>& frame, int width, int height)
{
    LabelTables tables;
    tables.xsize = width;
    tables.ysize = height;
    tables.dark.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x)
        {
            const unsigned char* p = &frame[4 * (static_cast<size_t>(y) * width + x)];
            tables.dark[static_cast<size_t>(y) * width + x] = p[0] + p[1] + p[2] <= 3 * kThreshold;
        }
    std::vector<bool> filled(tables.dark.size(), false);
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x)
        {
            if (!tables.DarkAt(x, y))
                continue;
            tables.provisionalCount += !tables.DarkAt(x - 1, y - 1) && !tables.DarkAt(x, y - 1) &&
                                       !tables.DarkAt(x + 1, y - 1) && !tables.DarkAt(x - 1, y);
            if (filled[static_cast<size_t>(y) * width + x])
                continue;
            Region region;
            region.minX = region.maxX = region.startX = x;
            region.minY = region.maxY = y;
            int64_t sumX = 0, sumY = 0;
            std::vector<std::pair<int, int>> open{{x, y}};
            filled[static_cast<size_t>(y) * width + x] = true;
            while (!open.empty())
            {
                const auto [px, py] = open.back();
                open.pop_back();
                ++region.area;
                sumX += px;
                sumY += py;
                region.minX = std::min(region.minX, px);
                region.maxX = std::max(region.maxX, px);
                region.maxY = std::max(region.maxY, py);
                for (int ny = py - 1; ny <= py + 1; ++ny)
                    for (int nx = px - 1; nx <= px + 1; ++nx)
                        if (tables.DarkAt(nx, ny) && !filled[static_cast<size_t>(ny) * width + nx])
                        {
                            filled[static_cast<size_t>(ny) * width + nx] = true;
                            open.emplace_back(nx, ny);
                        }
            }
            region.pos[0] = static_cast<double>(sumX) / region.area;
            region.pos[1] = static_cast<double>(sumY) / region.area;
            tables.regions.push_back(region);
        }
    return tables;
}

// Labels `frame` into `fast` and compares it with the plain labeling.
void ExpectLabelledLikeTheReference(const std::vector<unsigned char>& frame, int width, int height,
                                    LabelTables& fast)
{
    labelImage(frame.data(), width, height, kThreshold, fast);
    const LabelTables reference = ReferenceLabels(frame, width, height);
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
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
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

using LabelingMatchesReference = testing::TestWithParam<RandomFrameCase>;

TEST_P(LabelingMatchesReference, SameRegionsStatisticsAndMask)
{
    const RandomFrameCase c = GetParam();
    for (uint32_t seed = 1; seed <= 3; ++seed)
    {
        LabelTables fast;
        ExpectLabelledLikeTheReference(RandomFrame(c.width, c.height, c.sprinkle, c.blobs, seed),
                                       c.width, c.height, fast);
    }
}

// The last frame is larger than 1024 pixels both ways.
INSTANTIATE_TEST_SUITE_P(
    Frames, LabelingMatchesReference,
    testing::Values(RandomFrameCase{3, 3, 0.5, 0}, RandomFrameCase{17, 5, 0.5, 0},
                    RandomFrameCase{64, 48, 0.45, 4}, RandomFrameCase{160, 120, 0.05, 40},
                    RandomFrameCase{320, 240, 0.3, 100}, RandomFrameCase{300, 200, 0.0, 300},
                    RandomFrameCase{1700, 1300, 0.0, 200}));

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
    LabelTables fast;
    ExpectLabelledLikeTheReference(frame, width, height, fast);
    EXPECT_GT(fast.provisionalCount, 319 * 239 - 40 * 40);
}
