#include "project/pattern.h"
#include "project/pattern_state.h"
#include "support/marker_projection.h"
#include "support/pattern_files.h"
#include "support/scratch_folder.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace
{
constexpr double kMarkerWidth = 80.0;
constexpr double kConfidence = 0.87;

class PatternStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        trackingState().Reset();
        UseCamera(m_camera);
        m_pattern.m_nWidth = static_cast<int>(kMarkerWidth);
    }

    MarkerInfo MarkerAt(double x, double y, double distance)
    {
        double pose[3][4];
        FacingPose(x, y, distance, 20.0, pose);
        return ProjectMarker(m_camera, pose, kMarkerWidth, 0, 0, kConfidence);
    }

    // One frame of the run: Update, then the visibility for the next frame.
    void Frame(CPatternState& state, const MarkerInfo& marker)
    {
        ASSERT_TRUE(state.Update(marker));
        state.SetVisible(true);
    }

    CameraParam m_camera = PinholeCamera();
    CPattern m_pattern;
};

bool SameTransform(const double a[3][4], const double b[3][4])
{
    return std::memcmp(a, b, sizeof(double) * 12) == 0;
}
} // namespace

TEST_F(PatternStateTest, SteadyMarkerFillsTheAverageUpToItsFrameCount)
{
    m_pattern.m_nFrames = 4;
    CPatternState state(&m_pattern);
    const MarkerInfo marker = MarkerAt(10, -5, 600);
    ASSERT_TRUE(state.Update(marker));
    EXPECT_EQ(state.m_nCount, 1);
    EXPECT_TRUE(SameTransform(state.m_average, state.m_current)) << "a single-frame estimate";
    EXPECT_NEAR(state.m_current[2][3], 600.0, 6.0);
    EXPECT_EQ(state.m_dConfidence, kConfidence);
    state.SetVisible(true);
    // The second frame restarts once more: the first frame's "previous" raw
    // pose is the empty one, a jump as far as the filter can tell.
    for (int expected : {1, 2, 3, 4, 4, 4})
    {
        Frame(state, marker);
        EXPECT_EQ(state.m_nCount, expected);
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(state.m_average[i][j], state.m_current[i][j], 1e-9);
}

TEST_F(PatternStateTest, WithOneFrameEachFrameHalvesTowardsTheNewPose)
{
    m_pattern.m_nFrames = 1;
    m_pattern.m_fTolerance = 1e9f;
    CPatternState state(&m_pattern);
    Frame(state, MarkerAt(0, 0, 500));
    for (double x : {1.0, 2.0, 3.0})
    {
        double before[3][4];
        std::memcpy(before, state.m_average, sizeof before);
        Frame(state, MarkerAt(x, 0, 500));
        EXPECT_EQ(state.m_nCount, 1);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j)
                EXPECT_DOUBLE_EQ(state.m_average[i][j], (before[i][j] + state.m_current[i][j]) / 2);
    }
}

TEST_F(PatternStateTest, JumpRestartsOneFrameLaterAndAGapAtOnce)
{
    CPatternState state(&m_pattern);
    for (int k = 0; k < 4; ++k)
        Frame(state, MarkerAt(0, 0, 500));
    ASSERT_EQ(state.m_nCount, 3);

    Frame(state, MarkerAt(60, 0, 500)); // the jump itself still averages in
    EXPECT_EQ(state.m_nCount, 4);
    Frame(state, MarkerAt(60, 0, 500)); // compared with the pose before: restart
    EXPECT_EQ(state.m_nCount, 1);
    EXPECT_TRUE(SameTransform(state.m_average, state.m_current));

    Frame(state, MarkerAt(60, 0, 500));
    EXPECT_EQ(state.m_nCount, 2);
    state.SetVisible(false);
    ASSERT_TRUE(state.Update(MarkerAt(60, 0, 500)));
    EXPECT_EQ(state.m_nCount, 1);
}

TEST_F(PatternStateTest, FailedEstimateLeavesTheFilterAsItWas)
{
    CPatternState state(&m_pattern);
    Frame(state, MarkerAt(0, 0, 500));
    const CPatternState before = state;
    MarkerInfo degenerate = MarkerAt(0, 0, 500);
    // Every corner in one point: no line, no rotation, no translation.
    for (auto& line : degenerate.line)
        line[0] = line[1] = line[2] = 0.0;
    for (auto& vertex : degenerate.vertex)
    {
        vertex[0] = 320.0;
        vertex[1] = 240.0;
    }
    EXPECT_FALSE(state.Update(degenerate));
    EXPECT_EQ(state.m_nCount, before.m_nCount);
    EXPECT_TRUE(SameTransform(state.m_current, before.m_current));
    EXPECT_TRUE(SameTransform(state.m_average, before.m_average));

    CPatternState unconfigured;
    EXPECT_FALSE(unconfigured.Update(MarkerAt(0, 0, 500)));
}

TEST_F(PatternStateTest, LoadingTwiceKeepsOneSlot)
{
    ScratchFolder folder;
    WriteRandomPatternFile(folder.Path("a.patt"), 1);
    m_pattern.m_strFile = folder.Path("a.patt");
    CPatternState state(&m_pattern);
    state.LoadPattern();
    EXPECT_EQ(state.m_nId, 0);
    state.LoadPattern();
    EXPECT_EQ(state.m_nId, 0);
    EXPECT_EQ(trackingState().patterns.count, 1);
    state.FreePattern();
    EXPECT_EQ(state.m_nId, -1);
    EXPECT_EQ(trackingState().patterns.count, 0);

    m_pattern.m_strFile = folder.Path("missing.patt");
    state.LoadPattern();
    EXPECT_EQ(state.m_nId, -1);
}

// Still for a while, then a small step on the adaptive filter; `missed`
// drops the frame before the step.
static void StillThenStep(CPatternState& state, const MarkerInfo& still, const MarkerInfo& step,
                          bool missed)
{
    for (int f = 0; f < 10; ++f)
    {
        ASSERT_TRUE(state.Update(still));
        state.SetVisible(true);
    }
    state.SetVisible(!missed);
    ASSERT_TRUE(state.Update(step));
}

TEST_F(PatternStateTest, AMissedFrameRestartsTheAdaptiveFilterAtTheNewPose)
{
    m_pattern.m_filter = PoseFilter::Adaptive;
    const MarkerInfo still = MarkerAt(0.0, 0.0, 600.0);
    const MarkerInfo step = MarkerAt(5.0, 0.0, 600.0);
    CPatternState seen(&m_pattern);
    StillThenStep(seen, still, step, false);
    EXPECT_FALSE(SameTransform(seen.m_average, seen.m_current)) << "a small step is smoothed";

    CPatternState missed(&m_pattern);
    StillThenStep(missed, still, step, true);
    EXPECT_TRUE(SameTransform(missed.m_average, missed.m_current));
}

// Settings a hand-edited file could hold must not poison the pose.
TEST_F(PatternStateTest, AbsurdAdaptiveSettingsLeaveAFinitePose)
{
    m_pattern.m_filter = PoseFilter::Adaptive;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const auto& [cutoff, gain] : {std::pair{nan, nan}, {0.0f, -1.0f}, {-5.0f, inf}})
    {
        m_pattern.m_fMinCutoff = cutoff;
        m_pattern.m_fSpeedGain = gain;
        CPatternState state(&m_pattern);
        StillThenStep(state, MarkerAt(0.0, 0.0, 600.0), MarkerAt(5.0, 0.0, 600.0), false);
        for (const auto& row : state.m_average)
            for (double value : row)
                ASSERT_TRUE(std::isfinite(value)) << cutoff << ", " << gain;
    }
}
