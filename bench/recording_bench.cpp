// What recording costs a live run, and how fast `zelmora-cli render` is, on
// the bundled demo (640 x 480, 90 frames at 30 fps).
//
// BM_LiveRun/record:0|1 runs the demo's video in real time as the window
// does (every frame tracked and its live area drawn offscreen), without and
// with a recording; "cores" is the process's CPU time (every thread, the
// encoder's included) over the wall time, so the difference of the two is
// what recording adds. "dropped" counts frames the recording lost.
// BM_RenderDemoWebm renders the whole demo to WebM.
//
//   build/bench/recording_bench --benchmark_repetitions=5   (one command line)

#include "document/zelmora_doc.h"
#include "demo/demo_progress.h"
#include "demo/demo_project.h"
#include "demo/demo_sequence.h"
#include "demo/project_render.h"
#include "render/live_view.h"
#include "offscreen/offscreen_context.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <chrono>
#include <ctime>
#include <filesystem>

namespace
{
constexpr int kFrameWaitMs = 100;

const std::string& DemoFolder()
{
    static const std::string folder = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "zelmora-recording-bench").string();
        std::filesystem::remove_all(path);
        std::FILE* nowhere = std::fopen("/dev/null", "w");
        CDemoProgress quiet(nowhere, false, 1);
        std::string error;
        WriteDemoProject(path, kDemoFrames, quiet, &error);
        std::fclose(nowhere);
        return path;
    }();
    return folder;
}

// The window's part of a frame without a window: its live area drawn into
// the offscreen context, and read back for a recording.
class CBenchView : public CDocumentView
{
  public:
    CBenchView(COffscreenContext& context, CZelmoraDoc& doc) : m_context(context), m_doc(doc) {}
    void MakeCurrent() override { m_context.MakeCurrent(); }
    void Invalidate() override {}
    void RunLayoutChanged() override {}
    void Draw()
    {
        const CVideoSource& source = *m_doc.m_pVideoSource;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawLiveArea(source.GetTexture(), source.GetTexScaleX(), source.GetTexScaleY(),
                     m_doc.m_pCameraCalibration->LiveProjection(), m_doc.m_trackers, nullptr);
    }
    bool ReadLiveFrame(std::vector<unsigned char>& rgba) override
    {
        Draw();
        rgba.resize(size_t(m_context.Width()) * m_context.Height() * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, m_context.Width(), m_context.Height(), GL_RGBA, GL_UNSIGNED_BYTE,
                     rgba.data());
        return true;
    }

  private:
    COffscreenContext& m_context;
    CZelmoraDoc& m_doc;
};

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void BM_LiveRun(benchmark::State& state)
{
    const bool record = state.range(0) != 0;
    const std::string project = DemoFolder() + "/demo.zel";
    double cores = 0.0;
    int dropped = 0;
    for (auto _ : state)
    {
        COffscreenContext context;
        context.Create(640, 480);
        CZelmoraDoc doc;
        CBenchView view(context, doc);
        doc.SetView(&view);
        std::string error;
        if (!doc.OpenProject(project, &error) || !doc.StartCapture())
        {
            state.SkipWithError("cannot run the demo");
            return;
        }
        if (record && !doc.StartRecording(DemoFolder() + "/bench.webm"))
        {
            state.SkipWithError("cannot record");
            return;
        }
        const double cpuStart = ProcessCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        for (int frame = 0; frame < kDemoFrames && doc.IsCapturing();)
            if (doc.ProcessNextFrame(kFrameWaitMs) == CVideoSource::Grab::Frame)
            {
                ++frame;
                view.Draw(); // the window's repaint
                doc.RecordFrame();
            }
        doc.StopRecording();
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        cores += (ProcessCpuSeconds() - cpuStart) / wall;
        dropped += doc.LastRecording().nDropped;
        doc.OnStopCapture();
    }
    state.counters["cores"] = benchmark::Counter(cores, benchmark::Counter::kAvgIterations);
    state.counters["dropped"] = benchmark::Counter(dropped, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LiveRun)->ArgName("record")->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()
    ->Unit(benchmark::kSecond);

void BM_RenderDemoWebm(benchmark::State& state)
{
    CRenderOptions options;
    options.strProject = DemoFolder() + "/demo.zel";
    options.strOut = DemoFolder() + "/render.webm";
    int frames = 0;
    for (auto _ : state)
    {
        std::string error;
        if (!RenderProject(options, &frames, &error))
        {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    state.counters["frames"] = frames;
}
BENCHMARK(BM_RenderDemoWebm)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
} // namespace

BENCHMARK_MAIN();
