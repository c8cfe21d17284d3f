// Cost of identifying one detected square: sampling its interior through the
// homography and correlating with every loaded pattern in four orientations.

#include "synth/pattern_picture.h"
#include "tracking/camera_param.h"
#include "tracking/pattern_file.h"
#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::string WriteNoisePattern()
{
    unsigned char blocks[kPatternOrientations][kPatternValues];
    unsigned state = 12345u;
    for (auto& block : blocks)
        for (unsigned char& value : block)
        {
            state = state * 1103515245u + 12345u;
            value = static_cast<unsigned char>(state >> 16);
        }
    const std::string path = "/tmp/zelmora-bench-" + std::to_string(getpid()) + ".patt";
    writePatternFile(path, blocks);
    return path;
}

// A frame with a textured quadrilateral; `side` sets the sampling density.
void BM_IdentifyMarker(benchmark::State& state)
{
    const int patterns = static_cast<int>(state.range(0));
    const int side = static_cast<int>(state.range(1));
    trackingState().Reset();
    CameraParam camera;
    camera.xsize = kWidth;
    camera.ysize = kHeight;
    initCameraParam(camera);
    const std::string path = WriteNoisePattern();
    for (int i = 0; i < patterns; ++i)
        loadPattern(path.c_str());
    std::remove(path.c_str());

    std::vector<unsigned char> frame(kWidth * kHeight * 4);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<unsigned char>((i * 2654435761u) >> 24);
    const int x[4] = {100, 100 + side, 110 + side, 90};
    const int y[4] = {60, 70, 60 + side, 50 + side};
    const int corners[4] = {0, 1, 2, 3};
    int id, dir;
    double cf;
    for (auto _ : state)
    {
        identifyMarker(frame.data(), x, y, corners, &id, &dir, &cf);
        benchmark::DoNotOptimize(cf);
    }
    trackingState().Reset();
}
BENCHMARK(BM_IdentifyMarker)->Args({1, 100})->Args({10, 100})->Args({50, 100})->Args({50, 300});
} // namespace

BENCHMARK_MAIN();
