// The halfway crossing finds a blurred printed edge to a few hundredths of a
// pixel wherever the threshold sits, across a lens blur or the long ramp of
// a motion blur, and refuses what is not such an edge.

#include "frame_drawing.h"

#include "tracking/edge_refine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace
{
constexpr int kSize = 40;
constexpr double kBlurPx = 0.7;

// Grey at signed distance d from the edge, ink on the negative side: the
// lens blur, or with rampPx > 0 a motion blur of that length across the
// edge (a straight ramp), sampled at the pixel's centre.
unsigned char BlurredStep(double d, int ink, int paper, double rampPx = 0.0)
{
    const double share = rampPx > 0.0 ? std::clamp(d / rampPx + 0.5, 0.0, 1.0)
                                      : 0.5 * std::erfc(-d / (kBlurPx * std::sqrt(2.0)));
    return static_cast<unsigned char>(std::lround(ink + (paper - ink) * share));
}

// Grey `ink` left of x = edge (or above y = edge), `paper` beyond, from
// inkFrom on.
TestFrame StepFrame(bool vertical, double edge, int ink, int paper, int inkFrom = 0,
                    double rampPx = 0.0)
{
    TestFrame frame(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
        {
            const int along = vertical ? x : y;
            const unsigned char grey =
                along < inkFrom ? paper : BlurredStep(along - edge, ink, paper, rampPx);
            for (int c = 0; c < 3; ++c)
                frame.bgra[4 * (y * kSize + x) + c] = grey;
        }
    return frame;
}

// The crossing found at threshold 100 from contour point (x, 5), looking
// from the ink towards the paper along (nx, 0); NaN when there is none.
double CrossingX(const TestFrame& frame, int x, double nx = 1.0)
{
    const EdgeFrame view{frame.data(), kSize, kSize, 3 * 100};
    double ex = 0.0, ey = 0.0;
    return findEdgeCrossing(view, edgeDirection(view, nx, 0.0), x, 5, &ex, &ey) ? ex : std::nan("");
}

struct CrossingCase
{
    const char* name;
    bool vertical;
    int threshold;
    double rampPx; // 0 for the lens blur alone
};

void PrintTo(const CrossingCase& c, std::ostream* out)
{
    *out << c.name;
}

using EdgeAtThreshold = testing::TestWithParam<CrossingCase>;
} // namespace

TEST_P(EdgeAtThreshold, LiesOnThePrintedEdgeWhateverTheThreshold)
{
    const CrossingCase c = GetParam();
    for (const double edge : {20.0, 20.3, 20.5, 20.8})
    {
        const TestFrame frame = StepFrame(c.vertical, edge, 25, 215, 0, c.rampPx);
        const EdgeFrame view{frame.data(), kSize, kSize, 3 * c.threshold};
        const EdgeDirection direction =
            edgeDirection(view, c.vertical ? 1.0 : 0.2, c.vertical ? -0.3 : 1.0);
        // The contour point: the last pixel at or under the threshold.
        int contour = 0;
        while (BlurredStep(contour + 1 - edge, 25, 215, c.rampPx) <= c.threshold)
            ++contour;
        double x = 0.0, y = 0.0;
        ASSERT_TRUE(findEdgeCrossing(view, direction, c.vertical ? contour : 7,
                                     c.vertical ? 7 : contour, &x, &y))
            << edge;
        EXPECT_NEAR(c.vertical ? x : y, edge, 0.03) << edge;
        EXPECT_EQ(c.vertical ? y : x, 7.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Thresholds, EdgeAtThreshold,
                         testing::Values(CrossingCase{"row_near_ink", true, 60, 0.0},
                                         CrossingCase{"row_halfway", true, 120, 0.0},
                                         CrossingCase{"row_near_paper", true, 180, 0.0},
                                         CrossingCase{"column_near_ink", false, 60, 0.0},
                                         CrossingCase{"column_near_paper", false, 180, 0.0},
                                         CrossingCase{"motion_near_ink", true, 60, 7.0},
                                         CrossingCase{"motion_near_paper", false, 140, 7.0},
                                         CrossingCase{"motion_long_near_ink", false, 45, 9.0}),
                         [](const testing::TestParamInfo<CrossingCase>& info)
                         { return std::string(info.param.name); });

TEST(EdgeCrossing, LooksOutwardsWhenTheInkIsOnTheOtherSide)
{
    // Paper left of the edge at 20.3, ink right.
    EXPECT_NEAR(CrossingX(StepFrame(true, 20.3, 215, 25), 21, -1.0), 20.3, 0.03);
}

TEST(EdgeCrossing, RefusesWhatIsNoPrintedEdge)
{
    const double edge = 20.4;
    EXPECT_NEAR(CrossingX(StepFrame(true, edge, 25, 215), 20), edge, 0.03);
    // Ink and paper closer than shading could make them.
    EXPECT_TRUE(std::isnan(CrossingX(StepFrame(true, edge, 92, 106), 20)));
    // A border two pixels wide: paper shows where ink should be.
    EXPECT_TRUE(std::isnan(CrossingX(StepFrame(true, edge, 25, 215, 18), 20)));
    // Too near the frame's edge to see both sides.
    EXPECT_TRUE(std::isnan(CrossingX(StepFrame(true, 2.4, 25, 215), 2)));
    EXPECT_TRUE(std::isnan(CrossingX(StepFrame(true, 36.4, 25, 215), 36)));
}
