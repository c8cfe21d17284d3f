// Detection and pose on rendered clips: the whole per-frame work of a live
// run (detectMarkers, then a pose for every identified marker), and each
// stage on its own to show where the time goes.
//
//   build/bench/detection_bench --benchmark_repetitions=15
//       --benchmark_report_aggregates_only=true   (one command line)

#include "bench_scenes.h"

#include "tracking/auto_threshold.h"
#include "tracking/camera_param.h"
#include "tracking/contour.h"
#include "tracking/detection.h"
#include "tracking/labeling.h"
#include "tracking/line_fit.h"
#include "tracking/pattern_matching.h"
#include "tracking/pose.h"
#include "tracking/tracking_state.h"

#include <benchmark/benchmark.h>

#include <map>
#include <tuple>
#include <vector>

namespace
{
constexpr int kClipFrames = 16;
constexpr int kLiveClipFrames = 8; // fewer: six clips of up to 1080p take minutes to render
constexpr double kWidthMm = 80.0;
constexpr double kCenter[2] = {0.0, 0.0};

// Arguments: width, height, blobs, markers.
const BenchClip& Clip(const benchmark::State& state)
{
    static std::map<std::tuple<int64_t, int64_t, int64_t, int64_t>, BenchClip> clips;
    const auto key =
        std::make_tuple(state.range(0), state.range(1), state.range(2), state.range(3));
    auto found = clips.find(key);
    if (found == clips.end())
        found = clips
                    .emplace(key, MakeClip(static_cast<int>(state.range(0)),
                                           static_cast<int>(state.range(1)), kClipFrames,
                                           static_cast<int>(state.range(2)),
                                           static_cast<int>(state.range(3))))
                    .first;
    return found->second;
}

const BenchClip& PrepareClip(const benchmark::State& state)
{
    const BenchClip& clip = Clip(state);
    LoadBenchPatterns(clip.camera);
    return clip;
}

// detectMarkers and a pose for every identified marker, over the clip;
// threshold(i) gives frame i's threshold.
template <typename Threshold>
void DetectAndPose(benchmark::State& state, const BenchClip& clip, Threshold threshold)
{
    size_t frame = 0;
    long identified = 0;
    for (auto _ : state)
    {
        const size_t i = frame++ % clip.frames.size();
        MarkerInfo* markers;
        int count;
        detectMarkers(clip.frames[i].bgra.data(), threshold(i), &markers, &count);
        for (int k = 0; k < count; ++k)
            if (markers[k].id >= 0)
            {
                double transform[3][4];
                benchmark::DoNotOptimize(
                    estimateMarkerTransform(markers[k], kCenter, kWidthMm, transform));
                ++identified;
            }
    }
    state.counters["markers"] =
        benchmark::Counter(static_cast<double>(identified), benchmark::Counter::kAvgIterations);
}

void BM_DetectAndPose(benchmark::State& state)
{
    const BenchClip& clip = PrepareClip(state);
    DetectAndPose(state, clip, [&](size_t i) { return clip.thresholds[i]; });
}

// The scenes a live user meets, each in every threshold mode.
enum LiveScene
{
    kUsual,        // the clips above
    kUnevenLight,  // light from 1.0 to 0.6 and a shadow at half light
    kMotionBlur,   // 7 px along 30 degrees
    kMidGrey,      // background at the automatic threshold's level
};

// The automatic threshold of the usual clips lands near 135: a background
// there is half dark, half bright under the noise.
constexpr unsigned char kMidGreyBackground = 135;

// Arguments: width, height, markers, scene, mode (ThresholdMode; the fixed
// one at 100).
void BM_ThresholdModes(benchmark::State& state)
{
    static std::map<std::tuple<int64_t, int64_t, int64_t, int64_t>, BenchClip> clips;
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const auto key = std::make_tuple(state.range(0), state.range(1), state.range(2), state.range(3));
    auto found = clips.find(key);
    if (found == clips.end())
    {
        ClipStyle style;
        if (state.range(3) == kUnevenLight)
            style = UnevenLightStyle(width, height);
        else if (state.range(3) == kMotionBlur)
            style = MotionBlurStyle(7.0, 30.0);
        else if (state.range(3) == kMidGrey)
            style.backgroundGrey = kMidGreyBackground;
        found = clips
                    .emplace(key, MakeClip(width, height, kLiveClipFrames, 0,
                                           static_cast<int>(state.range(2)), style))
                    .first;
    }
    const BenchClip& clip = found->second;
    LoadBenchPatterns(clip.camera);
    const DetectionThreshold threshold{static_cast<ThresholdMode>(state.range(4)), 100};
    DetectAndPose(state, clip, [&](size_t) { return threshold; });
}

void LiveScenes(benchmark::internal::Benchmark* b)
{
    for (const int mode : {0, 1, 2})
    {
        b->Args({1920, 1080, 4, kUsual, mode})->Args({1920, 1080, 40, kUsual, mode});
        b->Args({1920, 1080, 4, kMidGrey, mode})->Args({1920, 1080, 40, kMidGrey, mode});
        b->Args({1280, 720, 4, kUnevenLight, mode})->Args({1280, 720, 4, kMotionBlur, mode});
    }
    b->ArgNames({"width", "height", "markers", "scene", "mode"});
    b->Unit(benchmark::kMillisecond);
}

// The stages up to and including `last`, so that the time of one stage is
// the difference between two neighbouring rows (pausing the timer costs
// more than the shorter stages take).
enum Stage
{
    kLabeling,
    kCandidates,
    kLineFit,
    kIdentify,
    kPose
};

void BM_StagesUpTo(benchmark::State& state, Stage last)
{
    const BenchClip& clip = PrepareClip(state);
    DetectionState& detection = trackingState().detection;
    const double* distortion = trackingState().camera.distFactor;
    size_t frame = 0;
    std::vector<MarkerInfo> markers;
    for (auto _ : state)
    {
        const size_t i = frame++ % clip.frames.size();
        const unsigned char* pixels = clip.frames[i].bgra.data();
        labelImage(pixels, clip.camera.xsize, clip.camera.ysize, clip.thresholds[i],
                   detection.labels);
        if (last >= kCandidates)
            findMarkerCandidates(detection);
        const int n = last >= kCandidates ? detection.candidateCount : 0;
        if (static_cast<int>(markers.size()) < n)
            markers.resize(n);
        const EdgeFrame edges{pixels, clip.camera.xsize, clip.camera.ysize, 3 * clip.thresholds[i]};
        if (last >= kLineFit)
            for (int c = 0; c < n; ++c)
                fitMarkerLines(detection.candidates[c], edges, distortion, detection.fitScratch,
                               markers[c].line, markers[c].vertex);
        if (last >= kIdentify)
            for (int c = 0; c < n; ++c)
            {
                double corners[4][2];
                for (int k = 0; k < 4; ++k)
                    idealToObserved(distortion, markers[c].vertex[k][0], markers[c].vertex[k][1],
                                    &corners[k][0], &corners[k][1]);
                identifySquare(pixels, corners, &markers[c].id, &markers[c].dir, &markers[c].cf,
                               nullptr);
            }
        if (last >= kPose)
            for (int c = 0; c < n; ++c)
                if (markers[c].cf >= 0.5)
                {
                    double transform[3][4];
                    benchmark::DoNotOptimize(
                        estimateMarkerTransform(markers[c], kCenter, kWidthMm, transform));
                }
        benchmark::ClobberMemory();
    }
}

void Frames(benchmark::internal::Benchmark* b)
{
    b->Args({640, 480, 0, 4})->Args({1280, 720, 0, 4})->Args({1920, 1080, 0, 4});
    b->Args({640, 480, 3000, 4})->Args({1920, 1080, 1000, 4})->Args({1920, 1080, 0, 40});
    b->ArgNames({"width", "height", "blobs", "markers"});
    b->Unit(benchmark::kMillisecond);
}

void FrameSizes(benchmark::internal::Benchmark* b)
{
    b->Args({640, 480, 0, 4})->Args({1280, 720, 0, 4})->Args({1920, 1080, 0, 4});
    b->ArgNames({"width", "height", "blobs", "markers"});
    b->Unit(benchmark::kMillisecond);
}

// The automatic threshold's full-frame scan, which a run does on one frame
// in 26.
void BM_AutomaticThreshold(benchmark::State& state)
{
    const BenchClip& clip = Clip(state);
    size_t frame = 0;
    for (auto _ : state)
    {
        const SynthFrame& picture = clip.frames[frame++ % clip.frames.size()];
        benchmark::DoNotOptimize(
            automaticThreshold(picture.bgra.data(), picture.width, picture.height));
    }
}

void StageFrames(benchmark::internal::Benchmark* b)
{
    b->Args({640, 480, 0, 4})->Args({640, 480, 3000, 4})->Args({1920, 1080, 1000, 4});
    b->Args({1920, 1080, 0, 40});
    b->ArgNames({"width", "height", "blobs", "markers"});
    b->Unit(benchmark::kMicrosecond);
}
} // namespace

BENCHMARK(BM_DetectAndPose)->Apply(Frames);
BENCHMARK(BM_AutomaticThreshold)->Apply(FrameSizes);
BENCHMARK(BM_ThresholdModes)->Apply(LiveScenes);
BENCHMARK_CAPTURE(BM_StagesUpTo, 1_labeling, kLabeling)->Apply(StageFrames);
BENCHMARK_CAPTURE(BM_StagesUpTo, 2_candidates, kCandidates)->Apply(StageFrames);
BENCHMARK_CAPTURE(BM_StagesUpTo, 3_line_fit, kLineFit)->Apply(StageFrames);
BENCHMARK_CAPTURE(BM_StagesUpTo, 4_identify, kIdentify)->Apply(StageFrames);
BENCHMARK_CAPTURE(BM_StagesUpTo, 5_pose, kPose)->Apply(StageFrames);

BENCHMARK_MAIN();
