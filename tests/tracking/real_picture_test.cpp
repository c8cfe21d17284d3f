// Detection on real photographs with 40 patterns loaded: no marker where
// there is none, every small marker composited into a photograph identified,
// and the rules that tell the two apart, each on a real square that breaks it.

#include "bench_scenes.h"
#include "real_pictures.h"

#include "synth/pattern_picture.h"
#include "tracking/auto_threshold.h"
#include "tracking/detection.h"
#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <ostream>
#include <string>

namespace
{
constexpr int kHandThreshold = 100;
constexpr double kMinIdentifiedShare = 0.99;
constexpr double kMinSidePx = 24.0;
constexpr double kMaxSidePx = 40.0;

int Threshold(const BgraImage& frame, bool automatic)
{
    return automatic ? automaticThreshold(frame.pixels.data(), frame.width, frame.height)
                     : kHandThreshold;
}

// Each frame on its own: the history would carry one frame's verdict over.
int Detect(const unsigned char* pixels, const DetectionThreshold& threshold, MarkerInfo** markers)
{
    trackingState().detection.ClearHistory();
    int count = 0;
    EXPECT_EQ(detectMarkers(pixels, threshold, markers, &count), 0);
    return count;
}

int Detect(const unsigned char* pixels, int threshold, MarkerInfo** markers)
{
    return Detect(pixels, DetectionThreshold{ThresholdMode::Fixed, threshold}, markers);
}

const char* ModeName(ThresholdMode mode)
{
    return mode == ThresholdMode::Fixed       ? "threshold 100"
           : mode == ThresholdMode::Automatic ? "automatic threshold"
                                              : "adaptive threshold";
}

// The whole corpus, 130 frames from 13 photographs, in every threshold mode.
TEST(RealPictures, NoMarkerIsReportedInPhotographsWithoutMarkers)
{
    int frames = 0, squares = 0;
    std::string error;
    ASSERT_TRUE(ForEachRealFrame(
        [&](const std::string& name, const BgraImage& frame)
        {
            LoadSurveyPatterns(BenchCamera(frame.width, frame.height));
            ++frames;
            for (const ThresholdMode mode :
                 {ThresholdMode::Fixed, ThresholdMode::Automatic, ThresholdMode::Adaptive})
            {
                MarkerInfo* markers;
                const int count =
                    Detect(frame.pixels.data(), DetectionThreshold{mode, kHandThreshold}, &markers);
                squares += count;
                for (int i = 0; i < count; ++i)
                    EXPECT_LT(markers[i].id, 0)
                        << name << ", " << ModeName(mode)
                        << ": slot " << markers[i].id << " at " << markers[i].pos[0] << ", "
                        << markers[i].pos[1] << ", cf " << markers[i].cf;
            }
        },
        &error))
        << error;
    EXPECT_EQ(frames, kRealPhotoCount * kFramesPerPhoto);
    // The corpus must hold squares for the rules to reject, or it tests nothing.
    EXPECT_GT(squares, 100);
}

// Eight markers of 24 to 40 px in each of the 39 photographs of 640 x 480,
// lit as the photograph, blurred, sharpened, JPEG-compressed; automatic and
// adaptive threshold.
TEST(RealPictures, SmallMarkersCompositedIntoPhotographsAreIdentifiedWithTheirTurn)
{
    int markers = 0, right = 0;
    uint32_t seed = 1000;
    std::string error;
    ASSERT_TRUE(ForEachRealVgaFrame(
        [&](const std::string& name, const BgraImage& photo)
        {
            LoadSurveyPatterns(BenchCamera(photo.width, photo.height));
            const CompositeFrame composite =
                MakeCompositeFrame(photo, seed++, kMinSidePx, kMaxSidePx);
            for (const ThresholdMode mode : {ThresholdMode::Automatic, ThresholdMode::Adaptive})
            {
                MarkerInfo* results;
                const int count = Detect(composite.frame.bgra.data(), DetectionThreshold{mode}, &results);
                for (size_t m = 0; m < composite.frame.truths.size(); ++m)
                {
                    ++markers;
                    const bool identified = IdentifiedRight(composite, m, results, count);
                    right += identified;
                    if (!identified)
                        std::cout << name << ", seed " << seed - 1 << ", " << ModeName(mode)
                                  << ": marker " << m << " (slot " << composite.patterns[m]
                                  << ") not identified\n";
                }
            }
        },
        &error))
        << error;
    std::cout << "identified " << right << " of " << markers << "\n";
    EXPECT_GE(right, kMinIdentifiedShare * markers);
}

// Real squares of the corpus that correlate with a pattern well enough to
// pass the confidence cut, each stopped by a rule.
struct RuleCase
{
    const char* name;
    const char* frame; // in the corpus
    bool automatic;    // threshold
    double x, y;       // the square's centroid, within a few pixels
    MarkerVerdict verdict;
};

void PrintTo(const RuleCase& c, std::ostream* out)
{
    *out << c.name;
}

// The judgement of the square seen nearest (x, y), within a few pixels.
const SquareJudgement* JudgementNear(const MarkerInfo* markers, double x, double y)
{
    const DetectionState& detection = trackingState().detection;
    for (int i = 0; i < detection.seenCount; ++i)
        if (std::hypot(markers[i].pos[0] - x, markers[i].pos[1] - y) < 4.0)
            return &detection.judgements[i];
    return nullptr;
}

class MarkerRulesOnRealSquares : public ::testing::TestWithParam<RuleCase>
{
};

TEST_P(MarkerRulesOnRealSquares, StopTheSquare)
{
    const RuleCase& c = GetParam();
    BgraImage frame;
    std::string error;
    ASSERT_TRUE(ReadRealFrame(c.frame, &frame, &error)) << error;
    LoadSurveyPatterns(BenchCamera(frame.width, frame.height));
    MarkerInfo* markers;
    Detect(frame.pixels.data(), Threshold(frame, c.automatic), &markers);
    const SquareJudgement* judgement = JudgementNear(markers, c.x, c.y);
    ASSERT_NE(judgement, nullptr) << "no square there";
    EXPECT_GE(judgement->match.cf, kMarkerRules.minConfidence);
    EXPECT_STREQ(markerVerdictName(judgement->verdict), markerVerdictName(c.verdict));
}

// Found by real_picture_bench --survey, which lists every such square.
INSTANTIATE_TEST_SUITE_P(
    Corpus, MarkerRulesOnRealSquares,
    ::testing::Values(RuleCase{"Aqua_weak_border", "Aqua/fit-vga", true, 500, 429,
                               MarkerVerdict::WeakBorder},
                      RuleCase{"YellowFlower_uneven_border", "YellowFlower/fit-vga", false, 473,
                               184, MarkerVerdict::UnevenBorder},
                      RuleCase{"YellowFlower_flat_inside", "YellowFlower/fit-vga", true, 479, 199,
                               MarkerVerdict::FlatInside}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

// A marker composited into a photograph passes every rule; with a second
// slot holding its own pattern, its match leads nothing and it is refused.
TEST(RealPictures, AMarkerLeadsEveryOtherPatternOrIsRefused)
{
    BgraImage photo;
    std::string error;
    ASSERT_TRUE(ReadRealFrame("Dune/fit-vga", &photo, &error)) << error;
    const CompositeFrame composite = MakeCompositeFrame(photo, 7, kMinSidePx, kMaxSidePx);
    const SynthTruth& truth = composite.frame.truths[0];
    const int slot = composite.patterns[0];
    const int threshold = automaticThreshold(composite.frame.bgra.data(), composite.frame.width,
                                             composite.frame.height);

    LoadSurveyPatterns(BenchCamera(photo.width, photo.height));
    MarkerInfo* markers;
    const int count = Detect(composite.frame.bgra.data(), threshold, &markers);
    const MarkerInfo* seen = ResultAt(truth, markers, count);
    ASSERT_NE(seen, nullptr);
    const double cx = seen->pos[0];
    const double cy = seen->pos[1];
    const SquareJudgement* alone = JudgementNear(markers, cx, cy);
    ASSERT_NE(alone, nullptr);
    EXPECT_STREQ(markerVerdictName(alone->verdict), markerVerdictName(MarkerVerdict::Marker));
    EXPECT_EQ(alone->match.id, slot);

    const std::string path = ::testing::TempDir() + "twin.patt";
    ASSERT_TRUE(writePatternFile(path, SurveyPictures()[slot]));
    ASSERT_GE(loadPattern(path.c_str()), 0);
    Detect(composite.frame.bgra.data(), threshold, &markers);
    const SquareJudgement* twinned = JudgementNear(markers, cx, cy);
    ASSERT_NE(twinned, nullptr);
    EXPECT_STREQ(markerVerdictName(twinned->verdict), markerVerdictName(MarkerVerdict::SmallLead));
}
} // namespace
