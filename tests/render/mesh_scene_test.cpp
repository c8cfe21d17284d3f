// Models in the formats assimp reads, written by the test, loaded as a
// project's model and drawn in the top view (X to the right, Y up): what
// a person would see of their colours, textures, places, sizes, alpha
// modes, sides and animation.

#include "render_fixture.h"

#include "render/mesh_scene.h"
#include "render/model_scene.h"
#include "support/sample_models.h"

namespace
{
constexpr std::array<float, 4> kWhite{1, 1, 1, 1};
constexpr std::array<float, 4> kGreen{0, 1, 0, 1};

class MeshSceneTest : public RenderTest
{
  protected:
    bool Load(CModel3D& model, const CMeshModel& data,
              SampleLayout layout = SampleLayout::GltfDataUris)
    {
        model.m_strFile = WriteSample(data, layout, m_folder.Path());
        return LoadModel(model);
    }
};

std::string LayoutName(const ::testing::TestParamInfo<SampleLayout>& info)
{
    static const char* const kNames[] = {"Glb", "GltfDataUris", "GltfSeparate",
                                         "Obj", "Collada",      "Fbx"};
    return kNames[int(info.param)];
}

class MeshLayoutTest : public MeshSceneTest, public ::testing::WithParamInterface<SampleLayout>
{
};

// A textured square at the left, red over blue, and a small green one at
// the upper right, each placed by its node.
TEST_P(MeshLayoutTest, DrawsColourTexturePlaceAndSize)
{
    CMeshModel data;
    data.textures["ladrillo.png"] = RedOverBluePng();
    AddSquare(&data, -0.5f, 0.0f, 0.4f, kWhite, "ladrillo.png");
    AddSquare(&data, 0.5f, 0.3f, 0.2f, kGreen);
    CModel3D model;
    ASSERT_TRUE(Load(model, data, GetParam())) << ModelScene(model).LastError();
    const OffscreenImage image = DrawView(&model, kTopView);
    EXPECT_EQ(ModelScene(model).TextureCount(), 1u);
    EXPECT_TRUE(ColourNear(At(image, -0.5, 0.2), 1, 0, 0));
    EXPECT_TRUE(ColourNear(At(image, -0.5, -0.2), 0, 0, 1));
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0.3), 0, 1, 0));
    EXPECT_TRUE(ColourNear(At(image, 0.65, 0.45), 0, 1, 0));
    EXPECT_TRUE(IsBackground(At(image, 0.78, 0.3)));
    EXPECT_TRUE(IsBackground(At(image, 0.5, -0.3)));
    EXPECT_TRUE(IsBackground(At(image, -0.5, 0.6)));
}

INSTANTIATE_TEST_SUITE_P(Layouts, MeshLayoutTest,
                         ::testing::Values(SampleLayout::Glb, SampleLayout::GltfDataUris,
                                           SampleLayout::GltfSeparate, SampleLayout::Obj,
                                           SampleLayout::Collada, SampleLayout::Fbx),
                         LayoutName);

struct SurfaceCase
{
    const char* name;
    AlphaMode mode;
    float fAlpha;
    bool bDoubleSided;
    // Seen from behind: the square's corners wound the other way round.
    bool bBackFacing;
    // The grey of the background, 0.2, under what is drawn.
    std::array<double, 3> expected;
};

class MeshSurfaceTest : public MeshSceneTest, public ::testing::WithParamInterface<SurfaceCase>
{
};

TEST_P(MeshSurfaceTest, ShowsAlphaModeAndSides)
{
    const SurfaceCase& c = GetParam();
    CMeshModel data;
    AddSquare(&data, 0.0f, 0.0f, 0.5f, {1, 0, 0, c.fAlpha});
    data.materials[0].alphaMode = c.mode;
    data.materials[0].bDoubleSided = c.bDoubleSided;
    if (c.bBackFacing)
        data.meshes[0].indices = {0, 2, 1, 0, 3, 2};
    CModel3D model;
    ASSERT_TRUE(Load(model, data)) << ModelScene(model).LastError();
    const OffscreenImage image = DrawView(&model, kTopView);
    EXPECT_TRUE(ColourNear(At(image, 0.1, 0.1), c.expected[0], c.expected[1], c.expected[2]));
}

INSTANTIATE_TEST_SUITE_P(
    Materials, MeshSurfaceTest,
    ::testing::Values(
        SurfaceCase{"OpaqueIgnoresAlpha", AlphaMode::Opaque, 0.5f, false, false, {1, 0, 0}},
        SurfaceCase{"BlendMixesWithBehind", AlphaMode::Blend, 0.5f, false, false, {0.6, 0.1, 0.1}},
        SurfaceCase{"MaskBelowCutoffHides", AlphaMode::Mask, 0.4f, false, false, {0.2, 0.2, 0.2}},
        SurfaceCase{"MaskAboveCutoffShows", AlphaMode::Mask, 0.6f, false, false, {1, 0, 0}},
        SurfaceCase{"SingleSidedBackHidden", AlphaMode::Opaque, 1.0f, false, true, {0.2, 0.2, 0.2}},
        SurfaceCase{"DoubleSidedBackShown", AlphaMode::Opaque, 1.0f, true, true, {1, 0, 0}}),
    [](const ::testing::TestParamInfo<SurfaceCase>& info) { return std::string(info.param.name); });

// A square sliding from x = -0.5 to 0.5 over one second: ten steps of the
// editor's timer, then back to the start. Looked at just above the X axis,
// which the view draws along y = 0.
TEST_F(MeshSceneTest, AnimationPlaysOnTheTimerAndLoops)
{
    CMeshModel data;
    AddSquare(&data, 0.0f, 0.0f, 0.1f, kGreen);
    NodeTrack track;
    track.translation = {{0.0, {-0.5f, 0, 0}}, {1.0, {0.5f, 0, 0}}};
    data.tracks = {track};
    data.dDurationSec = 1.0;
    CModel3D model;
    ASSERT_TRUE(Load(model, data, SampleLayout::Glb)) << ModelScene(model).LastError();
    ASSERT_TRUE(IsModelAnimated(model));
    EXPECT_EQ(ModelScene(model).FrameCount(), 10);

    const struct
    {
        int nSteps;
        double dExpectedX;
    } kSteps[] = {{0, -0.5}, {5, 0.0}, {5, 0.5}};
    for (const auto& step : kSteps)
    {
        for (int k = 0; k < step.nSteps; ++k)
            EXPECT_FALSE(NextModelFrame(model));
        const OffscreenImage image = DrawView(&model, kTopView);
        EXPECT_TRUE(ColourNear(At(image, step.dExpectedX, 0.05), 0, 1, 0)) << step.dExpectedX;
        EXPECT_TRUE(IsBackground(At(image, step.dExpectedX + 0.25, 0.05))) << step.dExpectedX;
    }
    EXPECT_TRUE(NextModelFrame(model));
    EXPECT_TRUE(ColourNear(At(DrawView(&model, kTopView), -0.5, 0.05), 0, 1, 0));
}

TEST_F(MeshSceneTest, DamagedFileIsRefusedNamingItsFormat)
{
    CMeshModel data;
    AddSquare(&data, 0.0f, 0.0f, 0.5f, kGreen);
    const std::string path = WriteSample(data, SampleLayout::Glb, m_folder.Path());
    const std::string bytes = ReadBytes(path);
    WriteBytes(path, bytes.substr(0, bytes.size() / 2));
    CModel3D model;
    model.m_strFile = path;
    EXPECT_FALSE(LoadModel(model));
    EXPECT_FALSE(ModelScene(model).IsLoaded());
    EXPECT_TRUE(m_messages.Said("damaged GLB file")) << ModelScene(model).LastError();
    EXPECT_TRUE(IsBackground(At(DrawView(&model, kTopView), 0.1, 0.1)));
}
} // namespace
