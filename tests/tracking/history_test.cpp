#include "tracking/marker_history.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace
{
constexpr int kArea = 1000;

// A square record of side 30 around (x, y) whose corners are listed starting
// `shift` places further round.
MarkerInfo Record(int id, int dir, double cf, double x, double y, int shift = 0, int area = kArea)
{
    MarkerInfo m;
    m.id = id;
    m.dir = dir;
    m.cf = cf;
    m.area = area;
    m.pos[0] = x;
    m.pos[1] = y;
    const double xs[4] = {-15, 15, 15, -15};
    const double ys[4] = {-15, -15, 15, 15};
    for (int k = 0; k < 4; ++k)
    {
        m.vertex[k][0] = x + xs[(k + 4 - shift) % 4];
        m.vertex[k][1] = y + ys[(k + 4 - shift) % 4];
    }
    return m;
}

struct History
{
    std::vector<HistoryEntry> entries;

    std::vector<MarkerInfo> Frame(std::vector<MarkerInfo> results)
    {
        applyMarkerHistory(results, entries);
        return results;
    }
};
} // namespace

TEST(History, AMarkerKeepsTheBetterIdentityItHadAtTheSamePlace)
{
    History history;
    history.Frame({Record(2, 1, 0.8, 100, 100)});
    // Seen again with a weaker, different match and its corners listed one
    // place further round.
    const auto results = history.Frame({Record(0, 3, 0.6, 101, 100, 1)});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].id, 2);
    EXPECT_DOUBLE_EQ(results[0].cf, 0.8);
    // Corner 0 of the marker is the same point in both frames.
    const MarkerInfo first = Record(2, 1, 0.8, 100, 100);
    const double* before = first.vertex[(4 - first.dir) % 4];
    const double* after = results[0].vertex[(4 - results[0].dir) % 4];
    EXPECT_NEAR(after[0], before[0] + 1, 1e-9);
    EXPECT_NEAR(after[1], before[1], 1e-9);

    // A better match than the history's is kept as it is.
    const auto better = history.Frame({Record(1, 0, 0.9, 100, 100)});
    ASSERT_EQ(better.size(), 1u);
    EXPECT_EQ(better[0].id, 1);
    EXPECT_EQ(better[0].dir, 0);
}

TEST(History, BelowHalfConfidenceIsNoIdentificationUnlessTheHistoryRaisedIt)
{
    History fresh;
    const auto alone = fresh.Frame({Record(3, 0, 0.49, 100, 100)});
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_EQ(alone[0].id, -1);
    EXPECT_EQ(alone[0].dir, 0);

    History seen;
    seen.Frame({Record(3, 0, 0.7, 100, 100)});
    const auto raised = seen.Frame({Record(3, 0, 0.49, 100, 100)});
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].id, 3);
}

struct PlaceCase
{
    int currentArea;
    double dx;
    bool inherits;
};

void PrintTo(const PlaceCase& c, std::ostream* os)
{
    *os << "area" << c.currentArea << "_moved" << c.dx;
}

using SamePlace = testing::TestWithParam<PlaceCase>;

TEST_P(SamePlace, AreaRatioAndMovementDecideWhetherItIsTheSameMarker)
{
    const PlaceCase c = GetParam();
    History history;
    history.Frame({Record(5, 0, 0.9, 100, 100)});
    const auto results = history.Frame({Record(1, 0, 0.3, 100 + c.dx, 100, 0, c.currentArea)});
    ASSERT_FALSE(results.empty());
    EXPECT_EQ(results[0].id, c.inherits ? 5 : -1);
    // When it is not the same marker, the old one is reported as missed too.
    EXPECT_EQ(results.size(), c.inherits ? 1u : 2u);
}

// The history's area over the current one must lie in 0.7..1.43, and the
// squared movement over the current area stay below 0.5.
INSTANTIATE_TEST_SUITE_P(Bounds, SamePlace,
                         testing::Values(PlaceCase{1450, 0, false}, PlaceCase{1420, 0, true},
                                         PlaceCase{700, 0, true}, PlaceCase{690, 0, false},
                                         PlaceCase{1000, 22.1, true},
                                         PlaceCase{1000, 22.5, false}));

TEST(History, OneEntryPerPatternIsRefreshedEveryFrame)
{
    History history;
    for (int frame = 0; frame < 5; ++frame)
        history.Frame({Record(7, 0, 0.9, 100 + 10 * frame, 100)});
    ASSERT_EQ(history.entries.size(), 1u);
    EXPECT_DOUBLE_EQ(history.entries[0].marker.pos[0], 140);
    EXPECT_EQ(history.entries[0].age, 1);
}

TEST(History, EveryPatternOfACrowdIsKeptAndReported)
{
    History history;
    std::vector<MarkerInfo> many;
    for (int id = 0; id < 60; ++id)
        many.push_back(Record(id, 0, 0.9, 100 + 100 * id, 100));
    history.Frame(std::vector<MarkerInfo>(many.begin(), many.begin() + 40));
    history.Frame(std::vector<MarkerInfo>(many.begin() + 30, many.end()));
    EXPECT_EQ(history.entries.size(), 60u);

    const auto missed = history.Frame({Record(70, 0, 0.9, -500, -500)});
    EXPECT_EQ(missed.size(), 61u);
    EXPECT_EQ(history.entries.size(), 61u);
}
