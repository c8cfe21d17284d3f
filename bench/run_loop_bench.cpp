// The whole per-frame work of a live run on the bundled demo: the document's
// OnFrame (automatic threshold, BeginFrame, detection, the registry's pose
// filters, the relation graph and every tracker's ComputePose), on frames
// rendered exactly as the demo renders them. Video decoding is left out:
// it is GStreamer's, and a camera hands frames over already decoded.
//
//   build/bench/run_loop_bench --benchmark_repetitions=15
//       --benchmark_report_aggregates_only=true   (one command line)

#include "document/zelmora_doc.h"
#include "demo/demo_content.h"
#include "demo/demo_sequence.h"
#include "demo/marker_files.h"
#include "tracking/camera_param.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace
{
constexpr int kClipFrames = 30;

void BM_DemoFrame(benchmark::State& state)
{
    const std::string folder =
        (std::filesystem::temp_directory_path() / "zelmora-run-loop-bench").string();
    std::filesystem::create_directories(folder);
    std::vector<SynthPicture> pictures;
    for (const DemoPicture& picture : DemoPictures())
    {
        std::string error;
        MakeMarkerFiles(picture.picture, 512, folder + "/" + picture.name + ".patt",
                        folder + "/" + picture.name + ".png", &error);
        pictures.push_back(ToSynthPicture(picture.picture));
    }
    const CameraParam camera = DemoCamera();
    const SynthPicture* const markers[kDemoMarkers] = {&pictures[0], &pictures[1], &pictures[2]};
    std::vector<SynthFrame> frames;
    for (int frame = 0; frame < kClipFrames; ++frame)
        frames.push_back(RenderDemoFrame(camera, markers, frame * kDemoFrames / kClipFrames));

    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.m_settings.m_nThreshold = kDemoStartThreshold;
    doc.m_trackers = DemoTrackers(folder);
    doc.BuildPatternRegistry();
    initCameraParam(camera);
    // OnFrame runs the tracking only while a run holds a calibration.
    doc.m_pCameraCalibration = std::make_unique<CCameraCalibration>(camera);

    size_t index = 0;
    int found = 0;
    for (auto _ : state)
    {
        const SynthFrame& frame = frames[index++ % frames.size()];
        doc.OnFrame(frame.bgra.data(), frame.width, frame.height);
        found += doc.m_trackers.front().m_bFound;
    }
    state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
    doc.ReleaseRunData();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DemoFrame)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
