// Detection on real photographs, with 40 patterns loaded.
//
//   build/bench/real_picture_bench --survey
//       prints what the rules that tell markers from other squares are chosen
//       from: the scores of every square found in the marker-free corpus and
//       of every true marker (composited into photographs, and in the
//       rendered clips), and how many phantoms and identifications result.
//   build/bench/real_picture_bench
//       times detection on the corpus's 1280 x 720 frames.

#include "bench_scenes.h"
#include "real_pictures.h"

#include "synth/pattern_picture.h"
#include "tracking/auto_threshold.h"
#include "tracking/detection.h"
#include "tracking/pattern_file.h"
#include "tracking/pattern_quality.h"
#include "tracking/tracking_state.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr int kHandThreshold = 100;
constexpr double kSurveyedCf = 0.4; // corpus squares scoring less are far from any cut

// The scores a rule looks at, each as a share so that light does not change it.
struct Scores
{
    std::vector<double> cf, patternLead, turnLead, borderContrast, borderSpread, insideSpread;

    void Add(const SquareJudgement& j)
    {
        const double contrast = j.evidence.marginGrey - j.evidence.borderGrey;
        cf.push_back(j.match.cf);
        patternLead.push_back(j.match.cf - j.match.otherPatternCf);
        turnLead.push_back(j.match.cf - j.match.otherTurnCf);
        borderContrast.push_back(j.evidence.marginGrey > 0 ? contrast / j.evidence.marginGrey : 0);
        borderSpread.push_back(contrast > 0 ? j.evidence.borderSpread / contrast : 99);
        insideSpread.push_back(contrast > 0 ? j.evidence.insideSpread / contrast : 0);
    }
};

void PrintRow(const char* name, std::vector<double> values)
{
    std::printf("| %-32s |", name);
    if (values.empty())
    {
        std::printf(" (none) |\n");
        return;
    }
    std::sort(values.begin(), values.end());
    for (const double share : {0.0, 0.01, 0.05, 0.25, 0.5, 0.75, 0.95, 0.99, 1.0})
        std::printf(" %6.3f |",
                    values[std::min(values.size() - 1, static_cast<size_t>(share * values.size()))]);
    std::printf("\n");
}

void PrintScores(const char* title, const Scores& s)
{
    std::printf("\n%s: %zu squares\n\n", title, s.cf.size());
    std::printf("| score | min | 1%% | 5%% | 25%% | median | 75%% | 95%% | 99%% | max |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    PrintRow("cf", s.cf);
    PrintRow("lead over other patterns", s.patternLead);
    PrintRow("lead over other turns", s.turnLead);
    PrintRow("border contrast / paper", s.borderContrast);
    PrintRow("border spread / contrast", s.borderSpread);
    PrintRow("inside spread / contrast", s.insideSpread);
}

// The judgement of the square seen nearest to the true marker, or null.
const SquareJudgement* JudgementAt(const SynthTruth& truth, const MarkerInfo* markers)
{
    const DetectionState& detection = trackingState().detection;
    const MarkerInfo* result = ResultAt(truth, markers, detection.seenCount);
    return result ? &detection.judgements[result - markers] : nullptr;
}

int Detect(const unsigned char* pixels, int width, int height, int threshold, MarkerInfo** markers)
{
    trackingState().detection.ClearHistory();
    int count = 0;
    detectMarkers(pixels, threshold < 0 ? automaticThreshold(pixels, width, height) : threshold,
                  markers, &count);
    return trackingState().detection.seenCount;
}

bool SurveyCorpus()
{
    Scores scores;
    int frames = 0, squares = 0;
    int phantoms[2] = {0, 0};
    int verdicts[6] = {};
    std::string error;
    const bool complete = ForEachRealFrame(
        [&](const std::string& name, const BgraImage& frame)
        {
            LoadSurveyPatterns(BenchCamera(frame.width, frame.height));
            ++frames;
            for (int t = 0; t < 2; ++t)
            {
                MarkerInfo* markers;
                const int seen = Detect(frame.pixels.data(), frame.width, frame.height,
                                        t == 0 ? kHandThreshold : -1, &markers);
                squares += seen;
                for (int i = 0; i < seen; ++i)
                {
                    const SquareJudgement& j = trackingState().detection.judgements[i];
                    if (j.match.cf >= kSurveyedCf)
                        scores.Add(j);
                    if (j.match.cf >= kMarkerRules.minConfidence)
                    {
                        ++verdicts[static_cast<int>(j.verdict)];
                        std::printf("square: %s, threshold %s, at %.0f %.0f, cf %.3f: %s\n",
                                    name.c_str(), t == 0 ? "100" : "automatic", markers[i].pos[0],
                                    markers[i].pos[1], j.match.cf, markerVerdictName(j.verdict));
                    }
                    if (markers[i].id >= 0)
                    {
                        ++phantoms[t];
                        Scores one;
                        one.Add(j);
                        std::printf("phantom: %s, threshold %s, slot %d, cf %.3f, leads %.3f "
                                    "%.3f, border %.3f %.3f, inside %.3f\n",
                                    name.c_str(), t == 0 ? "100" : "automatic", markers[i].id,
                                    markers[i].cf, one.patternLead[0], one.turnLead[0],
                                    one.borderContrast[0], one.borderSpread[0],
                                    one.insideSpread[0]);
                    }
                }
            }
        },
        &error);
    if (!complete)
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    std::printf("\nCorpus: %d frames, %d squares (both thresholds), phantoms reported: %d at "
                "threshold 100, %d with the automatic threshold\n",
                frames, squares, phantoms[0], phantoms[1]);
    std::printf("Squares scoring at least the confidence cut, by verdict:");
    for (int v = 0; v < 6; ++v)
        std::printf(" %s %d;", markerVerdictName(static_cast<MarkerVerdict>(v)), verdicts[v]);
    std::printf("\n");
    PrintScores("Squares in the marker-free corpus scoring cf >= 0.4", scores);
    return true;
}

void SurveyComposites()
{
    struct Band
    {
        double minSide, maxSide;
        Scores scores;
        int markers = 0, right = 0;
    };
    Band bands[] = {{20, 24, {}}, {24, 32, {}}, {32, 40, {}}};
    std::string error;
    uint32_t seed = 1;
    ForEachRealVgaFrame(
        [&](const std::string&, const BgraImage& photo)
        {
            LoadSurveyPatterns(BenchCamera(photo.width, photo.height));
            for (Band& band : bands)
            {
                const CompositeFrame composite =
                    MakeCompositeFrame(photo, seed++, band.minSide, band.maxSide);
                MarkerInfo* markers;
                const int seen = Detect(composite.frame.bgra.data(), composite.frame.width,
                                        composite.frame.height, -1, &markers);
                for (size_t m = 0; m < composite.frame.truths.size(); ++m)
                {
                    ++band.markers;
                    band.right += IdentifiedRight(composite, m, markers, seen);
                    if (const SquareJudgement* j = JudgementAt(composite.frame.truths[m], markers))
                        band.scores.Add(*j);
                }
            }
        },
        &error);
    for (Band& band : bands)
    {
        char title[160];
        std::snprintf(title, sizeof title,
                      "True markers of %.0f..%.0f px composited into photographs (identified "
                      "right: %d of %d)",
                      band.minSide, band.maxSide, band.right, band.markers);
        PrintScores(title, band.scores);
    }
}

void SurveyClips()
{
    struct ClipCase
    {
        const char* name;
        int width, height, blobs, markers;
    };
    const ClipCase cases[] = {{"640 x 480, 4 markers", 640, 480, 0, 4},
                              {"1920 x 1080, 1000 blobs", 1920, 1080, 1000, 4},
                              {"1920 x 1080, 40 markers", 1920, 1080, 0, 40}};
    Scores scores;
    for (const ClipCase& c : cases)
    {
        const BenchClip clip = MakeClip(c.width, c.height, 8, c.blobs, c.markers);
        LoadSurveyPatterns(clip.camera);
        int found = 0, total = 0, wrong = 0;
        for (size_t f = 0; f < clip.frames.size(); ++f)
        {
            MarkerInfo* markers;
            const int seen = Detect(clip.frames[f].bgra.data(), c.width, c.height,
                                    clip.thresholds[f], &markers);
            for (size_t m = 0; m < clip.frames[f].truths.size(); ++m)
            {
                ++total;
                const SquareJudgement* j = JudgementAt(clip.frames[f].truths[m], markers);
                if (j)
                    scores.Add(*j);
            }
            for (int i = 0; i < seen; ++i)
            {
                if (markers[i].id < 0)
                    continue;
                bool onTruth = false;
                for (size_t m = 0; m < clip.frames[f].truths.size() && !onTruth; ++m)
                    onTruth = markers[i].id == clip.patterns[m] + 3 &&
                              ResultAt(clip.frames[f].truths[m], &markers[i], 1) != nullptr;
                found += onTruth;
                wrong += !onTruth;
            }
        }
        std::printf("\nRendered clip %s, 40 patterns, automatic threshold: %d of %d found, %d "
                    "false or wrong\n",
                    c.name, found, total, wrong);
    }
    PrintScores("True markers of the rendered clips", scores);
}

// What `marker make` would say of each of the 40 patterns, given the others.
void SurveyPatterns()
{
    std::printf("\nPattern checks (marker make --against the other 39):\n\n");
    std::printf("| slot | turn similarity | spread (of 255) | gradient share | closest other |\n");
    std::printf("|---|---|---|---|---|\n");
    for (int slot = 0; slot < kSurveyPatternCount; ++slot)
    {
        // Block 0 of the pattern file is the picture's 16 x 16 cell means.
        unsigned char block0[kPatternValues];
        const SynthPicture cells = cellPicture(SurveyPictures()[slot]);
        std::copy(cells.bgr.begin(), cells.bgr.end(), block0);
        std::vector<PatternBlocks> others;
        for (int other = 0; other < kSurveyPatternCount; ++other)
        {
            if (other == slot)
                continue;
            const SynthPicture otherCells = cellPicture(SurveyPictures()[other]);
            unsigned char first[kPatternValues];
            std::copy(otherCells.bgr.begin(), otherCells.bgr.end(), first);
            unsigned char turns[kPatternOrientations][kPatternValues];
            OrientationBlocks(first, turns);
            PatternBlocks blocks;
            for (int h = 0; h < kPatternOrientations; ++h)
                std::copy(turns[h], turns[h] + kPatternValues, blocks[h].begin());
            others.push_back(blocks);
        }
        const PatternQuality quality = measurePatternQuality(block0);
        double closest = 0.0;
        for (const PatternBlocks& blocks : others)
            for (const auto& block : blocks)
                closest = std::max(closest, patternCorrelation(block0, block.data()));
        std::printf("| %d | %.2f | %.0f | %.2f | %.2f |", slot, quality.turnSimilarity,
                    quality.spread, quality.planeShare, closest);
        for (const PatternWarning& warning : checkPattern(block0, others))
            std::printf(" %s;", patternWarningText(warning, "another").c_str());
        std::printf("\n");
    }
}

void BM_CorpusHdFrames(benchmark::State& state)
{
    static std::vector<BgraImage> frames;
    if (frames.empty())
    {
        std::string error;
        if (!ForEachRealFrame(
                [&](const std::string& name, const BgraImage& frame)
                {
                    if (name.find("fit-hd") != std::string::npos)
                        frames.push_back(frame);
                },
                &error))
        {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    LoadSurveyPatterns(BenchCamera(1280, 720));
    size_t i = 0;
    long phantoms = 0;
    for (auto _ : state)
    {
        const BgraImage& frame = frames[i++ % frames.size()];
        MarkerInfo* markers;
        int count = 0;
        detectMarkers(frame.pixels.data(), kHandThreshold, &markers, &count);
        for (int k = 0; k < count; ++k)
            phantoms += markers[k].id >= 0;
    }
    state.counters["phantoms"] =
        benchmark::Counter(static_cast<double>(phantoms), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CorpusHdFrames)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--survey") == 0)
        {
            if (!SurveyCorpus())
                return 1;
            SurveyComposites();
            SurveyClips();
            SurveyPatterns();
            return 0;
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
