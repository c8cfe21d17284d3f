// A 3DS file copied into a mesh model: it survives a glTF file written and
// read back, the reader is chosen by the file's content, and a file that
// cannot be copied leaves the caller's model as it was.

#include "model_writers/write_gltf.h"
#include "models/mesh_from_3ds.h"
#include "models/mesh_pose.h"
#include "models/safe_model_load.h"
#include "support/sample_3ds.h"
#include "support/sample_models.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// glTF keeps floats; the box goes through one node matrix product more on
// the way back.
constexpr double kBoxTolerance = 1e-5;
constexpr float kTransparency = 0.4f;

size_t Triangles(const CMeshModel& model)
{
    size_t count = 0;
    for (const MeshNode& node : model.nodes)
        for (int mesh : node.meshes)
            count += model.meshes[size_t(mesh)].indices.size() / 3;
    return count;
}

const MeshMaterial* Blended(const CMeshModel& model)
{
    for (const MeshMaterial& material : model.materials)
        if (material.alphaMode == AlphaMode::Blend)
            return &material;
    return nullptr;
}

// The placed scene with its box's material seen through.
std::string WriteScene(const ScratchFolder& folder, const std::string& name = "casa.3ds")
{
    Model3dsSpec scene = PlacedAndAnimatedScene();
    scene.materials[1].transparency = kTransparency;
    Write3ds(scene, folder.Path(name));
    WriteBytes(folder.Path("quadrants.png"), RedOverBluePng());
    return folder.Path(name);
}

class GltfRoundTripTest : public ::testing::TestWithParam<GltfLayout>
{
};

TEST_P(GltfRoundTripTest, KeepsTrianglesBoxTextureAlphaAndFrames)
{
    ScratchFolder folder;
    CMeshModel model;
    std::string reason;
    ASSERT_TRUE(Load3dsAsMesh(WriteScene(folder), folder.Path() + "/", &model, &reason)) << reason;
    ASSERT_NE(Blended(model), nullptr);
    EXPECT_FLOAT_EQ(Blended(model)->baseColour[3], 1.0f - kTransparency);

    ScratchFolder out;
    const std::string path = out.Path(GetParam() == GltfLayout::Binary ? "casa.glb" : "casa.gltf");
    ASSERT_TRUE(WriteGltf(model, path, GetParam(), &reason)) << reason;
    if (GetParam() == GltfLayout::Separate)
        for (const auto& [key, bytes] : model.textures)
            WriteBytes(out.Path(key), bytes);
    CMeshModel back;
    ASSERT_TRUE(LoadCheckedMesh(path, out.Path() + "/", &back, &reason)) << reason;

    EXPECT_EQ(Triangles(back), Triangles(model));
    const ModelBox box = MeshModelBox(model);
    const ModelBox boxBack = MeshModelBox(back);
    for (size_t axis = 0; axis < 3; ++axis)
    {
        EXPECT_NEAR(boxBack.min[axis], box.min[axis], kBoxTolerance) << axis;
        EXPECT_NEAR(boxBack.max[axis], box.max[axis], kBoxTolerance) << axis;
    }
    EXPECT_EQ(back.textures.size(), 1u);
    EXPECT_TRUE(std::any_of(back.materials.begin(), back.materials.end(),
                            [](const MeshMaterial& m) { return !m.strTexture.empty(); }));
    ASSERT_NE(Blended(back), nullptr);
    EXPECT_FLOAT_EQ(Blended(back)->baseColour[3], 1.0f - kTransparency);
    EXPECT_EQ(AnimationFrames(back), 3);
}

INSTANTIATE_TEST_SUITE_P(Layouts, GltfRoundTripTest,
                         ::testing::Values(GltfLayout::Binary, GltfLayout::Separate),
                         [](const ::testing::TestParamInfo<GltfLayout>& info)
                         { return info.param == GltfLayout::Binary ? "Glb" : "GltfSeparate"; });

struct RefusalCase
{
    const char* name;
    // Writes the file into the folder and returns its path.
    std::function<std::string(const ScratchFolder&)> write;
    const char* expected;
};

class RefusedFileTest : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(RefusedFileTest, GivesAReasonAndLeavesTheModel)
{
    ScratchFolder folder;
    const std::string path = GetParam().write(folder);
    CMeshModel model;
    model.nodes.resize(1);
    std::string reason;
    EXPECT_FALSE(Load3dsAsMesh(path, folder.Path() + "/", &model, &reason));
    EXPECT_NE(reason.find(GetParam().expected), std::string::npos) << reason;
    EXPECT_EQ(model.nodes.size(), 1u);
    EXPECT_TRUE(model.meshes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFileTest,
    ::testing::Values(RefusalCase{"Missing",
                                  [](const ScratchFolder& f) { return f.Path("nada.3ds"); },
                                  "no such file"},
                      RefusalCase{"Cut",
                                  [](const ScratchFolder& f)
                                  {
                                      const std::string path = WriteScene(f);
                                      const std::string bytes = ReadBytes(path);
                                      WriteBytes(path, bytes.substr(0, bytes.size() / 2));
                                      return path;
                                  },
                                  "damaged 3DS file"},
                      // Points far out in a mesh frame shrunk to almost nothing land
                      // beyond the largest float once taken out of it.
                      RefusalCase{"PointsBeyondFloats",
                                  [](const ScratchFolder& f)
                                  {
                                      Model3dsSpec scene = PlacedAndAnimatedScene();
                                      scene.meshes[0].points[0] = {1e35f, 0.0f, 0.0f};
                                      scene.meshes[0].matrix = {1e-5f, 0, 0, 0, 0, 1, 0, 0,
                                                                0,     0, 1, 0, 0, 0, 0, 1};
                                      Write3ds(scene, f.Path("lejos.3ds"));
                                      return f.Path("lejos.3ds");
                                  },
                                  "not a finite number"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// Names lie: a 3DS file called .glb is still read as 3DS.
TEST(LoadAnyModelTest, TheContentChoosesTheReader)
{
    ScratchFolder folder;
    CMeshModel square;
    AddSquare(&square, 0.0f, 0.0f, 0.5f, {0, 1, 0, 1});
    const std::string glb = WriteSample(square, SampleLayout::Glb, folder.Path());
    const struct
    {
        std::string path;
        ModelFormat expected;
    } kFiles[] = {{WriteScene(folder, "casa.glb"), ModelFormat::Max3ds}, {glb, ModelFormat::Glb}};
    for (const auto& file : kFiles)
    {
        CMeshModel model;
        std::string reason;
        ASSERT_TRUE(LoadAnyModelAsMesh(file.path, folder.Path() + "/", &model, &reason))
            << file.path << ": " << reason;
        EXPECT_EQ(model.format, file.expected) << file.path;
    }
}
} // namespace
