// The pose filters on rendered sequences of one 40 px marker under a
// webcam's noise: still, sliding at 30 and at 240 mm/s, put down elsewhere,
// each plain, under uneven light and with a 7 px motion blur. Counters give
// the share of frames found and, for the raw pose, the running average and
// the adaptive filter (prefixes raw_, avg_, ada_): jitter (mm, deg), lag
// (frames, moving sequences), error (mm, deg) and frames until the pose is
// at the new place (jump). Then the cost of one Update per filter, and the
// adaptive filter's figures over a grid of its two settings, by which its
// defaults were chosen.
//
//   build/bench/pose_sequence_bench --benchmark_filter='Sequence|Update|Alone'
//       --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
//   build/bench/pose_sequence_bench --benchmark_filter=Settings
//       --benchmark_min_time=0.01                 (the grid; each one command line)

#include "pose_sequences.h"

#include "project/pattern_state.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <map>
#include <string>
#include <utility>

namespace
{
constexpr int kFrames = 150;
constexpr int kWarmupFrames = 60; // the running average needs about 60 to settle
// The fast pass leaves the frame after about 100 frames; the running
// average restarts on every frame of it, so it needs no long warm-up.
constexpr int kFastFrames = 96;
constexpr int kFastWarmupFrames = 30;

const PoseSequence& Sequence(SequenceMotion motion, SequenceLook look)
{
    static std::map<std::pair<SequenceMotion, SequenceLook>, PoseSequence> sequences;
    auto found = sequences.find({motion, look});
    if (found == sequences.end())
    {
        SequenceSpec spec;
        spec.motion = motion;
        spec.look = look;
        const bool fast = motion == SequenceMotion::Fast;
        spec.frames = fast ? kFastFrames : kFrames;
        spec.warmupFrames = fast ? kFastWarmupFrames : kWarmupFrames;
        found = sequences.emplace(std::make_pair(motion, look), DetectPoseSequence(spec)).first;
    }
    return found->second;
}

void Report(benchmark::State& state, const std::string& prefix, const PoseSequence& sequence,
            const PoseFigures& figures)
{
    state.counters[prefix + "jit_mm"] = figures.jitterMm;
    state.counters[prefix + "jit_deg"] = figures.jitterDeg;
    state.counters[prefix + "err_mm"] = figures.errorMm;
    state.counters[prefix + "err_deg"] = figures.errorDeg;
    if (sequence.stepMm > 0.0)
        state.counters[prefix + "lag"] = figures.lagFrames;
    if (sequence.jumpFrame >= 0)
        state.counters[prefix + "arrive"] = figures.arrivalFrames;
}

// Arguments: motion, look. One iteration runs the sequence's detected
// markers through both filters.
void BM_Sequence(benchmark::State& state)
{
    const PoseSequence& sequence = Sequence(static_cast<SequenceMotion>(state.range(0)),
                                            static_cast<SequenceLook>(state.range(1)));
    const CPattern average = SequencePattern(PoseFilter::RunningAverage);
    const CPattern adaptive = SequencePattern(PoseFilter::Adaptive);
    PoseFigures averaged, filtered;
    for (auto _ : state)
    {
        averaged = MeasurePoses(sequence, average, PoseSource::Filtered);
        filtered = MeasurePoses(sequence, adaptive, PoseSource::Filtered);
    }
    const PoseFigures raw = MeasurePoses(sequence, average, PoseSource::Raw);
    state.counters["found"] = raw.foundShare;
    Report(state, "raw_", sequence, raw);
    Report(state, "avg_", sequence, averaged);
    Report(state, "ada_", sequence, filtered);
}

void Sequences(benchmark::internal::Benchmark* b)
{
    for (int look = 0; look < 3; ++look)
        for (int motion = 0; motion < 4; ++motion)
            b->Args({motion, look});
    b->ArgNames({"motion", "look"});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Sequence)->Apply(Sequences);

// One Update of a pattern seen in every frame: the continued pose estimate
// and a fresh one, then the filter. Argument: PoseFilter.
void BM_Update(benchmark::State& state)
{
    const PoseSequence& sequence = Sequence(SequenceMotion::Slow, SequenceLook::Plain);
    CPattern pattern = SequencePattern(static_cast<PoseFilter>(state.range(0)));
    CPatternState patternState(&pattern);
    size_t frame = 0;
    for (auto _ : state)
    {
        const SequenceFrame& next = sequence.frames[frame++ % sequence.frames.size()];
        if (next.found)
        {
            patternState.SetVisible(patternState.Update(next.marker));
            benchmark::DoNotOptimize(patternState.m_average);
        }
    }
}
BENCHMARK(BM_Update)->Arg(0)->Arg(1)->ArgName("filter");

// The adaptive filter alone on the raw poses of the slow sequence.
void BM_AdaptiveFilterAlone(benchmark::State& state)
{
    const PoseSequence& sequence = Sequence(SequenceMotion::Slow, SequenceLook::Plain);
    CPattern pattern = SequencePattern(PoseFilter::RunningAverage);
    CPatternState patternState(&pattern);
    std::vector<std::array<double, 12>> poses;
    for (const SequenceFrame& frame : sequence.frames)
        if (frame.found && patternState.Update(frame.marker))
        {
            patternState.SetVisible(true);
            poses.emplace_back();
            std::memcpy(poses.back().data(), patternState.m_current, sizeof(double) * 12);
        }
    const CPattern adaptive = SequencePattern(PoseFilter::Adaptive);
    PoseFilterSettings settings;
    settings.minCutoffHz = adaptive.m_fMinCutoff;
    settings.speedGain = adaptive.m_fSpeedGain;
    settings.markerWidth = adaptive.m_nWidth;
    CPoseFilter filter;
    double filtered[3][4];
    size_t index = 0;
    for (auto _ : state)
    {
        const auto& raw = poses[index++ % poses.size()];
        filter.Filter(reinterpret_cast<const double(*)[4]>(raw.data()), kSequenceFrameSeconds,
                      settings, filtered);
        benchmark::DoNotOptimize(filtered);
    }
}
BENCHMARK(BM_AdaptiveFilterAlone);

// Arguments: min cutoff in hundredths of a Hz, speed gain in thousandths.
// The adaptive filter's figure of each plain sequence that has a target:
// still jitter over raw, slow lag, fast error over raw, jump arrival.
void BM_Settings(benchmark::State& state)
{
    CPattern pattern = SequencePattern(PoseFilter::Adaptive);
    pattern.m_fMinCutoff = static_cast<float>(state.range(0) / 100.0);
    pattern.m_fSpeedGain = static_cast<float>(state.range(1) / 1000.0);
    const PoseSequence& still = Sequence(SequenceMotion::Still, SequenceLook::Plain);
    const PoseSequence& slow = Sequence(SequenceMotion::Slow, SequenceLook::Plain);
    const PoseSequence& fast = Sequence(SequenceMotion::Fast, SequenceLook::Plain);
    const PoseSequence& jump = Sequence(SequenceMotion::Jump, SequenceLook::Plain);
    PoseFigures figures[4];
    for (auto _ : state)
    {
        figures[0] = MeasurePoses(still, pattern, PoseSource::Filtered);
        figures[1] = MeasurePoses(slow, pattern, PoseSource::Filtered);
        figures[2] = MeasurePoses(fast, pattern, PoseSource::Filtered);
        figures[3] = MeasurePoses(jump, pattern, PoseSource::Filtered);
    }
    const PoseFigures rawStill = MeasurePoses(still, pattern, PoseSource::Raw);
    const PoseFigures rawFast = MeasurePoses(fast, pattern, PoseSource::Raw);
    state.counters["still_mm"] = figures[0].jitterMm / rawStill.jitterMm;
    state.counters["still_deg"] = figures[0].jitterDeg / rawStill.jitterDeg;
    state.counters["slow_lag"] = figures[1].lagFrames;
    state.counters["fast_mm"] = figures[2].errorMm / rawFast.errorMm;
    state.counters["fast_deg"] = figures[2].errorDeg / rawFast.errorDeg;
    state.counters["arrive"] = figures[3].arrivalFrames;
}

void SettingsGrid(benchmark::internal::Benchmark* b)
{
    for (const int cutoff : {10, 25, 50, 100})
        for (const int gain : {10, 100, 300, 1000, 3000})
            b->Args({cutoff, gain});
    b->ArgNames({"cutoff_cHz", "gain_milli"});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Settings)->Apply(SettingsGrid);
} // namespace

BENCHMARK_MAIN();
