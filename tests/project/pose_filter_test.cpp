// The adaptive pose filter on rendered sequences of a 40 px marker under a
// webcam's noise, held to its targets against the raw pose.

#include "pose_sequences.h"
#include "project/pattern_state.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <cmath>
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
