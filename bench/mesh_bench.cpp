// What a glTF model of 100 k textured triangles costs: the whole guarded
// load (content check, child-process import, import, texture probe), the
// first draw after a load (textures and GL buffers made), and a redraw of
// the top view at 640 x 480, with the parts of that redraw: the view without
// the model, and the same sheet without its texture.
//
// Draws are timed up to glFinish (the frame the user waits for), never a
// readback. CPU time is the whole process's: llvmpipe rasterises on threads
// of its own.

#include "imaging/image_file.h"
#include "model_writers/write_gltf.h"
#include "models/safe_model_load.h"
#include "offscreen/offscreen_context.h"
#include "project/model3d.h"
#include "render/axes.h"
#include "render/model_scene.h"
#include "render/ortho_view.h"
#include "render/software_gl_heap.h"
#include "support/scratch_folder.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
// 224 x 224 squares of two triangles: 100352 triangles.
constexpr int kGridSide = 224;
constexpr int kTextureSide = 256;

// A wavy sheet over the top view's square, textured once across.
CMeshModel Sheet()
{
    CMeshModel model;
    MeshData mesh;
    for (int row = 0; row <= kGridSide; ++row)
        for (int column = 0; column <= kGridSide; ++column)
        {
            const float u = float(column) / kGridSide;
            const float v = float(row) / kGridSide;
            mesh.positions.insert(mesh.positions.end(),
                                  {u * 1.6f - 0.8f, v * 1.6f - 0.8f, 0.05f * std::sin(20 * u)});
            mesh.normals.insert(mesh.normals.end(), {0, 0, 1});
            mesh.uvs.insert(mesh.uvs.end(), {u, 1 - v});
        }
    for (int row = 0; row < kGridSide; ++row)
        for (int column = 0; column < kGridSide; ++column)
        {
            const unsigned int a = unsigned(row * (kGridSide + 1) + column);
            const unsigned int b = a + kGridSide + 1;
            mesh.indices.insert(mesh.indices.end(), {a, a + 1, b + 1, a, b + 1, b});
        }
    mesh.nMaterial = 0;
    model.meshes = {mesh};
    MeshMaterial material;
    material.strTexture = "textura.png";
    model.materials = {material};
    model.nodes.resize(1);
    model.nodes[0].meshes = {0};
    return model;
}

struct SheetFile
{
    ScratchFolder folder;
    std::string path = folder.Path("sheet.glb");
    explicit SheetFile(bool bTextured = true)
    {
        BgraImage picture(kTextureSide, kTextureSide);
        for (int y = 0; y < kTextureSide; ++y)
            for (int x = 0; x < kTextureSide; ++x)
            {
                unsigned char* pixel = picture.Pixel(x, y);
                pixel[0] = (unsigned char)(x);
                pixel[1] = (unsigned char)(y);
                pixel[2] = (unsigned char)((x ^ y) & 0xFF);
                pixel[3] = 255;
            }
        std::string error;
        const std::string texture = folder.Path("textura.png");
        CMeshModel model = Sheet();
        if (!bTextured)
            model.materials[0].strTexture.clear();
        else if (WritePngFile(texture, picture, &error))
            model.textures["textura.png"] = ReadBytes(texture);
        WriteGltf(model, path, GltfLayout::Binary, &error);
    }
};

void BM_GuardedGlbLoad(benchmark::State& state)
{
    SheetFile file;
    for (auto _ : state)
    {
        CMeshModel model;
        std::string reason;
        if (!LoadCheckedMesh(file.path, file.folder.Path() + "/", &model, &reason))
            state.SkipWithError(reason.c_str());
    }
}
BENCHMARK(BM_GuardedGlbLoad)->Unit(benchmark::kMillisecond);

// A 640 x 480 offscreen context with the sheet loaded as a project model,
// drawn once so that a redraw finds its buffers, textures and shaders made
// and its heap pages mapped, as every frame after the first does.
struct TopViewFixture
{
    COffscreenContext context;
    SheetFile file;
    CModel3D model;
    const CViewCamera camera = MakeEditorCamera(kTopView);
    CAxes axes;

    explicit TopViewFixture(benchmark::State& state, bool bTextured = true) : file(bTextured)
    {
        std::string error;
        if (!context.Create(640, 480, &error))
        {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
        model.m_strFile = file.path;
        if (!LoadModel(model))
            state.SkipWithError("the sheet did not load");
        Draw(&model);
    }

    void Draw(CModel3D* pModel)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawOrthoView(camera, 1.0, axes, pModel);
        glFinish();
    }
};

void BM_RedrawGlbTopView(benchmark::State& state)
{
    TopViewFixture view(state);
    for (auto _ : state)
        view.Draw(&view.model);
}
BENCHMARK(BM_RedrawGlbTopView)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// Grid and axes only: what the view costs without any model.
void BM_RedrawEmptyTopView(benchmark::State& state)
{
    TopViewFixture view(state);
    for (auto _ : state)
        view.Draw(nullptr);
}
BENCHMARK(BM_RedrawEmptyTopView)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The same 100 k triangles untextured (and, as always in the editor, unlit):
// what transforming, setting up and rasterising them costs by itself.
void BM_RedrawPlainSheetTopView(benchmark::State& state)
{
    TopViewFixture view(state, false);
    for (auto _ : state)
        view.Draw(&view.model);
}
BENCHMARK(BM_RedrawPlainSheetTopView)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The first picture after a (re)load, which makes the textures and the
// mesh's GL resources; the load itself is not timed.
void BM_FirstDrawGlbTopView(benchmark::State& state)
{
    TopViewFixture view(state);
    for (auto _ : state)
    {
        state.PauseTiming();
        ReloadModel(view.model);
        state.ResumeTiming();
        view.Draw(&view.model);
    }
}
BENCHMARK(BM_FirstDrawGlbTopView)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
} // namespace

int main(int argc, char** argv)
{
    KeepHeapForSoftwareGl();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
