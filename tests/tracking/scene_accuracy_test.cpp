// Detection and pose over the benchmarks' rendered clips: every frame size,
// a cluttered background and a crowd of markers, with the live run's
// automatic threshold and with a hand-picked one.

#include "synth_fixture.h"

#include "bench_scenes.h"
#include "synth/synth_pose.h"
#include "tracking/detection.h"
#include "tracking/pose.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <iostream>
#include <ostream>
#include <string>

namespace
{
constexpr double kMinFoundShare = 0.98;
constexpr int kHandThreshold = 100; // between ink (25) and paper (215) under uneven light
constexpr double kCenter[2] = {0.0, 0.0};
// Goals for every clip and either threshold: edges are placed from the grey
// levels, so a threshold nearer ink than paper no longer moves them.
constexpr double kRotationMedianDeg = 0.15;
constexpr double kTranslationMedianShare = 0.001;

struct SceneCase
{
    const char* name;
    int width;
    int height;
    int blobs;
    int markers;
    int frames;
};

void PrintTo(const SceneCase& c, std::ostream* out)
{
    *out << c.name;
}

struct SceneFigures
{
    int markers = 0;
    int found = 0;
    int wrongPattern = 0;
    std::vector<double> rotationErrorsDeg;
    std::vector<double> translationErrors;
};

// Every frame on its own (history cleared); threshold < 0 takes the clip's
// automatic one.
SceneFigures Measure(const BenchClip& clip, int threshold)
{
    LoadBenchPatterns(clip.camera);
    SceneFigures figures;
    for (size_t f = 0; f < clip.frames.size(); ++f)
    {
        const SynthFrame& frame = clip.frames[f];
        trackingState().detection.ClearHistory();
        MarkerInfo* markers;
        int count = 0;
        EXPECT_EQ(detectMarkers(frame.bgra.data(), threshold < 0 ? clip.thresholds[f] : threshold,
                                &markers, &count),
                  0);
        for (int i = 0; i < count; ++i)
        {
            bool onItsMarker = markers[i].id < 0;
            for (size_t m = 0; m < frame.truths.size() && !onItsMarker; ++m)
                onItsMarker = clip.patterns[m] == markers[i].id &&
                              ResultAt(frame.truths[m], &markers[i], 1) != nullptr;
            figures.wrongPattern += !onItsMarker;
        }
        for (size_t m = 0; m < frame.truths.size(); ++m)
        {
            ++figures.markers;
            const SynthTruth& truth = frame.truths[m];
            const MarkerInfo* result = ResultAt(truth, markers, count);
            if (!result || result->id != clip.patterns[m])
                continue;
            ++figures.found;
            double t[3][4];
            if (estimateMarkerTransform(*result, kCenter, kBenchMarkerWidthMm, t) < 0.0)
                continue;
            figures.rotationErrorsDeg.push_back(rotationDifferenceDeg(t, truth.cameraFromMarker));
            figures.translationErrors.push_back(translationErrorShare(t, truth.cameraFromMarker));
        }
    }
    return figures;
}

class RenderedScenes : public testing::TestWithParam<SceneCase>
{
  protected:
    void TearDown() override { trackingState().Reset(); }
};
} // namespace

TEST_P(RenderedScenes, EveryMarkerIsFoundWithTheAutomaticAndAHandPickedThreshold)
{
    const SceneCase c = GetParam();
    const BenchClip clip = MakeClip(c.width, c.height, c.frames, c.blobs, c.markers);
    for (const int threshold : {-1, kHandThreshold})
    {
        const SceneFigures figures = Measure(clip, threshold);
        const double share = static_cast<double>(figures.found) / figures.markers;
        const double rotation = Median(figures.rotationErrorsDeg);
        const double translation = Median(figures.translationErrors);
        std::cout << c.name << (threshold < 0 ? ", automatic" : ", threshold 100") << ": found "
                  << figures.found << " of " << figures.markers << ", wrong "
                  << figures.wrongPattern << ", rotation median " << rotation
                  << " deg, translation median " << translation * 100 << "%\n";
        EXPECT_GE(share, kMinFoundShare) << threshold;
        EXPECT_EQ(figures.wrongPattern, 0) << threshold;
        EXPECT_LE(rotation, kRotationMedianDeg) << threshold;
        EXPECT_LE(translation, kTranslationMedianShare) << threshold;
    }
}

INSTANTIATE_TEST_SUITE_P(Clips, RenderedScenes,
                         testing::Values(SceneCase{"vga", 640, 480, 0, 4, 12},
                                         SceneCase{"hd720", 1280, 720, 0, 4, 6},
                                         SceneCase{"hd1080", 1920, 1080, 0, 4, 6},
                                         SceneCase{"hd1080_blobs", 1920, 1080, 1000, 4, 6},
                                         SceneCase{"hd1080_crowd", 1920, 1080, 0, 40, 3}),
                         [](const testing::TestParamInfo<SceneCase>& info)
                         { return std::string(info.param.name); });
