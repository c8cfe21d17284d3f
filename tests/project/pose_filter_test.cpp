// The adaptive pose filter on rendered sequences of a 40 px marker under a
// webcam's noise, held to its targets against the raw pose; and its restart
// after a frame without a match.

#include "pose_sequences.h"
#include "project/pattern_state.h"
#include "support/marker_projection.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>

namespace
{
constexpr int kFrames = 60;
constexpr int kWarmupFrames = 20;
constexpr double kMinFoundShare = 0.95;
constexpr double kNone = std::numeric_limits<double>::infinity();

// Each sequence holds the filter to one target; kNone where it has none.
struct SequenceCase
{
    const char* name;
    SequenceMotion motion;
    double maxJitterShare; // of the raw pose's, translation and rotation
    double maxLagFrames;
    double maxErrorShare; // of the raw pose's, translation and rotation
    double maxArrivalFrames;
};

void PrintTo(const SequenceCase& c, std::ostream* out)
{
    *out << c.name;
}

const SequenceCase kSequences[] = {
    {"StillShakesHalfAsMuch", SequenceMotion::Still, 0.5, kNone, kNone, kNone},
    {"SlidingAt30MmPerSecondLagsAFrameAtMost", SequenceMotion::Slow, kNone, 1.0, kNone, kNone},
    {"SlidingAt240MmPerSecondStraysNoMore", SequenceMotion::Fast, kNone, kNone, 1.0, kNone},
    {"PutDownElsewhereIsThereAndCalmWithinAFrame", SequenceMotion::Jump, 0.5, kNone, kNone, 1},
};

class PoseSequenceTest : public testing::TestWithParam<SequenceCase>
{
  protected:
    void TearDown() override { trackingState().Reset(); }
};

constexpr double kMarkerWidth = 80.0;

class MissedFrameTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        trackingState().Reset();
        UseCamera(m_camera);
        m_pattern.m_nWidth = static_cast<int>(kMarkerWidth);
        m_pattern.m_filter = PoseFilter::Adaptive;
    }

    MarkerInfo MarkerAt(double x)
    {
        double pose[3][4];
        FacingPose(x, 0.0, 600.0, 20.0, pose);
        return ProjectMarker(m_camera, pose, kMarkerWidth, 0, 0, 0.9);
    }

    // Still at x = 0 for a while, then a small step; `missed` drops the
    // frame before the step.
    void StillThenStep(CPatternState& state, bool missed)
    {
        for (int f = 0; f < 10; ++f)
        {
            ASSERT_TRUE(state.Update(MarkerAt(0.0)));
            state.SetVisible(true);
        }
        state.SetVisible(!missed);
        ASSERT_TRUE(state.Update(MarkerAt(5.0)));
    }

    CameraParam m_camera = PinholeCamera();
    CPattern m_pattern;
};

bool SameTransform(const double a[3][4], const double b[3][4])
{
    return std::memcmp(a, b, sizeof(double) * 12) == 0;
}
} // namespace

TEST_P(PoseSequenceTest, AdaptiveFilterHoldsItsTarget)
{
    const SequenceCase c = GetParam();
    SequenceSpec spec;
    spec.motion = c.motion;
    spec.frames = kFrames;
    spec.warmupFrames = kWarmupFrames;
    const PoseSequence sequence = DetectPoseSequence(spec);
    const CPattern pattern = SequencePattern(PoseFilter::Adaptive);
    const PoseFigures raw = MeasurePoses(sequence, pattern, PoseSource::Raw);
    const PoseFigures filtered = MeasurePoses(sequence, pattern, PoseSource::Filtered);
    ASSERT_GE(raw.foundShare, kMinFoundShare);

    EXPECT_LE(filtered.jitterMm, c.maxJitterShare * raw.jitterMm);
    EXPECT_LE(filtered.jitterDeg, c.maxJitterShare * raw.jitterDeg);
    EXPECT_LE(std::fabs(filtered.lagFrames), c.maxLagFrames);
    EXPECT_LE(filtered.errorMm, c.maxErrorShare * raw.errorMm);
    EXPECT_LE(filtered.errorDeg, c.maxErrorShare * raw.errorDeg);
    EXPECT_LE(filtered.arrivalFrames, c.maxArrivalFrames);
}

INSTANTIATE_TEST_SUITE_P(Sequences, PoseSequenceTest, testing::ValuesIn(kSequences),
                         [](const testing::TestParamInfo<SequenceCase>& info)
                         { return std::string(info.param.name); });

TEST_F(MissedFrameTest, RestartsTheAdaptiveFilterAtTheNewPose)
{
    CPatternState seen(&m_pattern);
    StillThenStep(seen, false);
    EXPECT_FALSE(SameTransform(seen.m_average, seen.m_current)) << "a small step is smoothed";

    CPatternState missed(&m_pattern);
    StillThenStep(missed, true);
    EXPECT_TRUE(SameTransform(missed.m_average, missed.m_current));
}

// Settings a hand-edited file could hold must not poison the pose.
TEST_F(MissedFrameTest, AbsurdSettingsLeaveAFinitePose)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const auto& [cutoff, gain] : {std::pair{nan, nan}, {0.0f, -1.0f}, {-5.0f, inf}})
    {
        m_pattern.m_fMinCutoff = cutoff;
        m_pattern.m_fSpeedGain = gain;
        CPatternState state(&m_pattern);
        StillThenStep(state, false);
        for (const auto& row : state.m_average)
            for (double value : row)
                ASSERT_TRUE(std::isfinite(value)) << cutoff << ", " << gain;
    }
}
