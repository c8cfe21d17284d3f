// Calibrating a camera from 20 pictures of a checkerboard at 1280 x 720:
// finding the corners in every picture, then OpenCV's estimate and the fit
// of our own camera model.
//
//   build/bench/calibration_bench --benchmark_repetitions=5   (one command line)

#include "calibration/board_corners.h"
#include "calibration/checkerboard_calibration.h"
#include "synth/board_views.h"
#include "synth/frame_renderer.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int kPictures = 20;
const BoardSpec kBoard{9, 6, 30.0};

const std::vector<BgraImage>& Pictures()
{
    static const std::vector<BgraImage> pictures = []
    {
        const CameraParam camera = WebcamLikeCamera();
        SynthOptions options;
        options.supersampling = 2;
        options.blurSigmaPx = 0.7;
        options.noiseSigma = 2.0;
        std::vector<BgraImage> result;
        for (const SynthMarker& board :
             CalibrationBoardViews(camera, kBoard.columns, kBoard.rows, kBoard.squareMm, kPictures))
        {
            SynthFrame frame = CFrameRenderer(camera, options).Render({board}, SynthBackground());
            BgraImage image;
            image.width = frame.width;
            image.height = frame.height;
            image.pixels = std::move(frame.bgra);
            result.push_back(std::move(image));
        }
        return result;
    }();
    return pictures;
}

std::vector<BoardView> FindAll()
{
    std::vector<BoardView> views;
    for (const BgraImage& picture : Pictures())
    {
        BoardView view;
        if (FindBoardCorners(picture, kBoard, &view) == BoardSearch::Found)
            views.push_back(view);
    }
    return views;
}

void BM_FindCorners(benchmark::State& state)
{
    Pictures();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindAll());
}
BENCHMARK(BM_FindCorners)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CalibrateFromCorners(benchmark::State& state)
{
    const std::vector<BoardView> views = FindAll();
    for (auto _ : state)
    {
        CalibrationReport report;
        std::string error;
        benchmark::DoNotOptimize(CalibrateCamera(kBoard, 1280, 720, views, &report, &error));
    }
    state.counters["views"] = static_cast<double>(views.size());
}
BENCHMARK(BM_CalibrateFromCorners)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CalibrateTwentyPictures(benchmark::State& state)
{
    Pictures();
    for (auto _ : state)
    {
        CalibrationReport report;
        std::string error;
        benchmark::DoNotOptimize(CalibrateCamera(kBoard, 1280, 720, FindAll(), &report, &error));
    }
}
BENCHMARK(BM_CalibrateTwentyPictures)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
