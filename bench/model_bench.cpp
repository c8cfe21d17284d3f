// What a model costs: checking its bytes, the whole guarded load (checker,
// child-process probe, parse), and a redraw of one editor view once the
// display lists exist.

#include "render/axes.h"
#include "models/check_3ds.h"
#include "project/model3d.h"
#include "render/ortho_view.h"
#include "models/safe_3ds_load.h"
#include "offscreen/offscreen_context.h"
#include "support/scratch_folder.h"
#include "support/sample_3ds.h"
#include "render/model_scene.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

namespace
{
// The sample scene plus many small squares, each its own mesh node, so the
// numbers grow with the node count.
Model3dsSpec ManySquares(int count)
{
    Model3dsSpec scene = RichScene(30);
    for (int k = 0; k < count; ++k)
    {
        const std::string name = "Sq" + std::to_string(k);
        const float x = float(k % 10) * 0.1f - 0.5f;
        const float z = float(k / 10) * 0.1f - 0.5f;
        scene.meshes.push_back(SquareMesh(name, {x, 0.0f, z}, 0.04f, 0, 2, "Red"));
        scene.nodes.push_back(StillNode(name, 100 + k));
    }
    return scene;
}

struct SampleFile
{
    ScratchFolder folder;
    std::string path = folder.Path("bench.3ds");
    explicit SampleFile(int squares) { Write3ds(ManySquares(squares), path); }
};

void BM_Check3ds(benchmark::State& state)
{
    SampleFile file(int(state.range(0)));
    const std::string bytes = ReadBytes(file.path);
    for (auto _ : state)
        benchmark::DoNotOptimize(Check3dsBytes(bytes));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_Check3ds)->Arg(10)->Arg(100);

void BM_GuardedLoad(benchmark::State& state)
{
    SampleFile file(int(state.range(0)));
    for (auto _ : state)
    {
        CLoaded3ds loaded;
        std::string reason;
        if (!LoadChecked3ds(file.path, "", &loaded, &reason))
            state.SkipWithError(reason.c_str());
    }
}
BENCHMARK(BM_GuardedLoad)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_RedrawFrontView(benchmark::State& state)
{
    COffscreenContext context;
    std::string error;
    if (!context.Create(256, 256, &error))
    {
        state.SkipWithError(error.c_str());
        return;
    }
    SampleFile file(int(state.range(0)));
    CModel3D model;
    model.m_strFile = file.path;
    LoadModel(model);
    const CViewCamera camera = MakeEditorCamera(kFrontView);
    CAxes axes;
    for (auto _ : state)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawOrthoView(camera, 1.0, axes, &model);
        glFinish();
    }
}
BENCHMARK(BM_RedrawFrontView)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
