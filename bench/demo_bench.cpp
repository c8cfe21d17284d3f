// What `zelmora-cli demo` spends on one frame of its video: rendering it
// (ray casting, background, blur, noise) and encoding it as a picture file.
//
//   build/bench/demo_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)

#include "demo/demo_content.h"
#include "demo/demo_frames.h"
#include "demo/demo_sequence.h"
#include "imaging/image_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

namespace
{
struct DemoMarkers
{
    DemoMarkers()
    {
        for (const DemoPicture& picture : DemoPictures())
            printed.push_back(ToSynthPicture(picture.picture));
        for (int k = 0; k < kDemoMarkers; ++k)
            markers[k] = &printed[k];
    }
    std::vector<SynthPicture> printed;
    const SynthPicture* markers[kDemoMarkers] = {};
};

void BM_RenderDemoFrame(benchmark::State& state)
{
    const DemoMarkers demo;
    const CameraParam camera = DemoCamera();
    int frame = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(RenderDemoFrame(camera, demo.markers, frame));
        frame = (frame + 1) % kDemoFrames;
    }
}
BENCHMARK(BM_RenderDemoFrame)->Unit(benchmark::kMillisecond);

// One demo frame encoded as the demo writes it (JPEG), or as PNG, which it
// wrote before: the argument is the format.
void BM_WriteDemoFrame(benchmark::State& state)
{
    const bool jpeg = state.range(0) == 0;
    const DemoMarkers demo;
    const SynthFrame rendered = RenderDemoFrame(DemoCamera(), demo.markers, kDemoFrames / 2);
    BgraImage image;
    image.width = rendered.width;
    image.height = rendered.height;
    image.pixels = rendered.bgra;
    const std::string path =
        (std::filesystem::temp_directory_path() / (jpeg ? "zelmora-bench.jpg" : "zelmora-bench.png"))
            .string();
    for (auto _ : state)
    {
        std::string error;
        const bool written = jpeg ? WriteJpegFile(path, image, kDemoFrameQuality, &error)
                                  : WritePngFile(path, image, &error);
        if (!written)
        {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.SetLabel(jpeg ? "jpeg" : "png");
    std::error_code missing;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path, missing));
    std::filesystem::remove(path, missing);
}
BENCHMARK(BM_WriteDemoFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
