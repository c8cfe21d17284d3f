#include "frame_drawing.h"
#include "tracking/contour.h"
#include "tracking/labeling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace
{
constexpr int kThreshold = 100;
constexpr double kCornerPixelTolerancePx = 1.5; // traced corners are whole pixels

int CountCandidates(const TestFrame& frame, DetectionState& state)
{
    labelImage(frame.data(), frame.width, frame.height, kThreshold, state.labels);
    findMarkerCandidates(state);
    return state.candidateCount;
}

int CountCandidates(const TestFrame& frame)
{
    DetectionState state;
    return CountCandidates(frame, state);
}
} // namespace

using TurnedSquare = testing::TestWithParam<double>;

TEST_P(TurnedSquare, GivesOneClosedClockwiseContourWithCornersAtTheSquaresCorners)
{
    TestFrame frame(160, 120);
    const auto corners = SquareCorners(80.3, 60.6, 40.0, GetParam());
    frame.FillPolygon(corners);
    DetectionState state;
    ASSERT_EQ(CountCandidates(frame, state), 1);
    const Candidate& c = state.candidates[0];
    const int n = c.pointCount - 1;
    EXPECT_EQ(c.x[n], c.x[0]);
    EXPECT_EQ(c.y[n], c.y[0]);
    EXPECT_EQ(c.vertex[0], 0);
    EXPECT_EQ(c.vertex[4], n);

    double twiceArea = 0.0;
    for (int k = 0; k < 4; ++k)
    {
        const int i = c.vertex[k];
        const int j = c.vertex[k + 1];
        twiceArea += c.x[i] * c.y[j] - c.x[j] * c.y[i];
        double nearest = 1e9;
        for (const auto& corner : corners)
            nearest = std::fmin(nearest, std::hypot(c.x[i] - corner[0], c.y[i] - corner[1]));
        EXPECT_LT(nearest, kCornerPixelTolerancePx) << "corner " << k;
    }
    EXPECT_GT(twiceArea, 0.0) << "corners run clockwise on the screen";
}

INSTANTIATE_TEST_SUITE_P(Angles, TurnedSquare, testing::Values(0.0, 17.0, 45.0, 71.0, 90.0));

struct AreaCase
{
    int width;
    int height;
    int holeWidth; // a bright hole inside changes the area, not the outline
    int holeHeight;
    int expected;
};

void PrintTo(const AreaCase& c, std::ostream* os)
{
    *os << c.width << "x" << c.height << "_hole" << c.holeWidth << "x" << c.holeHeight;
}

using RegionArea = testing::TestWithParam<AreaCase>;

TEST_P(RegionArea, OnlyAreasFrom70To100000AreExamined)
{
    const AreaCase c = GetParam();
    TestFrame frame(c.width + 20, c.height + 20);
    frame.FillRect(10, 10, c.width, c.height);
    frame.FillRect(10 + 2, 10 + 2, c.holeWidth, c.holeHeight, 220);
    EXPECT_EQ(CountCandidates(frame), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Bounds, RegionArea,
                         testing::Values(AreaCase{7, 10, 1, 1, 0},        // 69
                                         AreaCase{7, 10, 0, 0, 1},        // 70
                                         AreaCase{251, 400, 20, 20, 1},   // 100000
                                         AreaCase{251, 400, 19, 21, 0})); // 100001

struct BorderCase
{
    int x;
    int y;
    int expected;
};

void PrintTo(const BorderCase& c, std::ostream* os)
{
    *os << "at" << c.x << "_" << c.y;
}

using BorderContact = testing::TestWithParam<BorderCase>;

TEST_P(BorderContact, RegionsReachingTheInnerBorderAreSkipped)
{
    const BorderCase c = GetParam();
    TestFrame frame(100, 80);
    frame.FillRect(c.x, c.y, 30, 30);
    EXPECT_EQ(CountCandidates(frame), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Sides, BorderContact,
                         testing::Values(BorderCase{1, 20, 0}, BorderCase{2, 20, 1},
                                         BorderCase{69, 20, 0}, BorderCase{68, 20, 1},
                                         BorderCase{30, 1, 0}, BorderCase{30, 2, 1},
                                         BorderCase{30, 49, 0}, BorderCase{30, 48, 1}));

// Of a triangle, a pentagon, an L, a marker's border with a dark blob inside
// it and a separate square, only the border and the square are candidates.
TEST(Candidates, OnlyQuadrilateralsOutsideOthersAreKept)
{
    TestFrame frame(500, 120);
    frame.FillPolygon({{20, 80}, {50, 20}, {80, 80}});
    frame.FillPolygon({{150, 20}, {175, 38}, {166, 68}, {134, 68}, {125, 38}});
    frame.FillRect(200, 20, 15, 60);
    frame.FillRect(200, 65, 60, 15);
    frame.FillRect(300, 20, 60, 60);
    frame.FillRect(315, 35, 30, 30, 220);
    frame.FillRect(324, 44, 12, 12);
    frame.FillRect(420, 40, 40, 40);
    DetectionState state;
    ASSERT_EQ(CountCandidates(frame, state), 2);
    EXPECT_EQ(state.candidates[0].area, 60 * 60 - 30 * 30);
    EXPECT_EQ(state.candidates[1].area, 40 * 40);
}

TEST(Candidates, EverySquareOfACrowdIsKeptAndTheSlotsAreReused)
{
    TestFrame frame(600, 300);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 8; ++column)
            frame.FillRect(10 + column * 70, 10 + row * 55, 30, 30);
    DetectionState state;
    EXPECT_EQ(CountCandidates(frame, state), 40);
    const int* contour = state.candidates[39].x.data();
    EXPECT_EQ(CountCandidates(frame, state), 40);
    EXPECT_EQ(state.candidates[39].x.data(), contour);
}

TEST(Contour, TooLongAContourIsReportedAndSkipped)
{
    // A one-pixel line of 5200 pixels: tracing out and back passes 9999 points.
    TestFrame frame(5300, 8);
    frame.FillRect(20, 4, 5200, 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(CountCandidates(frame), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "??? 3\n");
}

struct NestedCase
{
    int areaA;
    double xA;
    int areaB;
    double xB;
    int keptA;
    int keptB;
};

void PrintTo(const NestedCase& c, std::ostream* os)
{
    *os << "areas" << c.areaA << "_" << c.areaB << "_apart" << std::abs(c.xB - c.xA);
}

using NestedCandidates = testing::TestWithParam<NestedCase>;

TEST_P(NestedCandidates, CloserThanAQuarterOfTheLargerAreaKeepsOnlyTheLarger)
{
    const NestedCase c = GetParam();
    std::vector<Candidate> candidates(2);
    candidates[0].area = c.areaA;
    candidates[0].pos[0] = c.xA;
    candidates[1].area = c.areaB;
    candidates[1].pos[0] = c.xB;
    int count = 2;
    removeNestedCandidates(candidates, count);
    ASSERT_EQ(count, c.keptA + c.keptB);
    if (c.keptA)
    {
        EXPECT_EQ(candidates[0].area, c.areaA);
    }
    if (c.keptB)
    {
        EXPECT_EQ(candidates[count - 1].area, c.areaB);
    }
}

// Squared distance 100 against a quarter of the larger area.
INSTANTIATE_TEST_SUITE_P(Pairs, NestedCandidates,
                         testing::Values(NestedCase{404, 0, 100, 10, 1, 0},
                                         NestedCase{400, 0, 100, 10, 1, 1},
                                         NestedCase{100, 0, 404, 10, 0, 1},
                                         NestedCase{100, 0, 400, 10, 1, 1}));
