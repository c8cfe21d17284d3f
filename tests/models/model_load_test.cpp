// The guarded import of the formats assimp reads: a file's format is told
// by its content, and damaged files (cut, wrong offsets, huge counts,
// missing buffers) are refused with a reason that names the format,
// leaving the caller's model as it was.

#include "models/safe_model_load.h"
#include "support/sample_models.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>

namespace
{
CMeshModel GreenSquare()
{
    CMeshModel model;
    AddSquare(&model, 0.0f, 0.0f, 0.5f, {0, 1, 0, 1});
    return model;
}

struct SniffCase
{
    const char* name;
    std::string head;
    std::string fileName;
    ModelFormat expected;
};

class SniffTest : public ::testing::TestWithParam<SniffCase>
{
};

TEST_P(SniffTest, ContentDecidesOverTheName)
{
    EXPECT_EQ(SniffModelFormat(GetParam().head, GetParam().fileName), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, SniffTest,
    ::testing::Values(
        SniffCase{"Max3ds", std::string("\x4D\x4D\x10\0\0\0", 6), "a.glb", ModelFormat::Max3ds},
        SniffCase{"Glb", "glTF\x02", "a.3ds", ModelFormat::Glb},
        SniffCase{"Gltf", "\xEF\xBB\xBF { \"asset\": {}}", "a.obj", ModelFormat::Gltf},
        SniffCase{"FbxBinary", "Kaydara FBX Binary  ", "a", ModelFormat::Fbx},
        SniffCase{"FbxText", "; FBX 7.4\nFBXHeaderExtension:  {", "a", ModelFormat::Fbx},
        SniffCase{"Collada", "<?xml version=\"1.0\"?>\n<COLLADA>", "a.txt", ModelFormat::Collada},
        SniffCase{"Obj", "# made by hand\nmtllib a.mtl\nv 0 0 0\nf 1 1 1\n", "a.bin",
                  ModelFormat::Obj},
        SniffCase{"TextFallsBackToName", "hello", "a.dae", ModelFormat::Collada},
        SniffCase{"Nothing", "hello", "a.txt", ModelFormat::Unknown}),
    [](const ::testing::TestParamInfo<SniffCase>& info) { return std::string(info.param.name); });

struct DamageCase
{
    const char* name;
    SampleLayout layout;
    // Spoils the written file in place.
    std::function<void(const std::string& path)> spoil;
    const char* expected;
};

void EditGltf(const std::string& path, const std::function<void(nlohmann::json&)>& edit)
{
    nlohmann::json gltf = nlohmann::json::parse(ReadBytes(path));
    edit(gltf);
    WriteBytes(path, gltf.dump());
}

void Cut(const std::string& path)
{
    const std::string bytes = ReadBytes(path);
    WriteBytes(path, bytes.substr(0, bytes.size() / 2));
}

class DamagedModelTest : public ::testing::TestWithParam<DamageCase>
{
};

TEST_P(DamagedModelTest, IsRefusedNamingTheFormat)
{
    ScratchFolder folder;
    const std::string path = WriteSample(GreenSquare(), GetParam().layout, folder.Path());
    GetParam().spoil(path);
    CMeshModel model;
    model.nodes.resize(1);
    std::string reason;
    EXPECT_FALSE(LoadCheckedMesh(path, folder.Path() + "/", &model, &reason));
    EXPECT_NE(reason.find(GetParam().expected), std::string::npos) << reason;
    EXPECT_EQ(model.nodes.size(), 1u);
    EXPECT_TRUE(model.meshes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedModelTest,
    ::testing::Values(DamageCase{"GlbCut", SampleLayout::Glb, Cut, "damaged GLB file (length"},
                      DamageCase{"GlbChunkPastEnd", SampleLayout::Glb,
                                 [](const std::string& path)
                                 {
                                     std::string bytes = ReadBytes(path);
                                     bytes[15] = '\x7F';
                                     WriteBytes(path, bytes);
                                 },
                                 "damaged GLB file (chunk at byte 12"},
                      DamageCase{"GltfCut", SampleLayout::GltfDataUris, Cut, "glTF file ("},
                      DamageCase{"GltfHugeCount", SampleLayout::GltfDataUris,
                                 [](const std::string& path) {
                                     EditGltf(path, [](nlohmann::json& g)
                                              { g["accessors"][0]["count"] = 4000000000u; });
                                 },
                                 "glTF file ("},
                      DamageCase{"GltfOffsetPastBuffer", SampleLayout::GltfDataUris,
                                 [](const std::string& path) {
                                     EditGltf(path, [](nlohmann::json& g)
                                              { g["bufferViews"][0]["byteOffset"] = 1 << 20; });
                                 },
                                 "glTF file ("},
                      DamageCase{"GltfIndicesPastAccessors", SampleLayout::GltfDataUris,
                                 [](const std::string& path) {
                                     EditGltf(path, [](nlohmann::json& g)
                                              { g["meshes"][0]["primitives"][0]["indices"] = 99; });
                                 },
                                 "glTF file ("},
                      DamageCase{"GltfMissingBuffer", SampleLayout::GltfSeparate,
                                 [](const std::string& path) {
                                     std::remove(
                                         (path.substr(0, path.size() - 5) + ".bin").c_str());
                                 },
                                 "glTF file ("},
                      DamageCase{"ObjFacePastVertices", SampleLayout::Obj,
                                 [](const std::string& path)
                                 { WriteBytes(path, ReadBytes(path) + "f 1 2 99\n"); },
                                 "OBJ file ("},
                      DamageCase{"GarbageNamedObj", SampleLayout::Obj,
                                 [](const std::string& path)
                                 { WriteBytes(path, std::string("\x01\x02\0 not text", 13)); },
                                 "damaged OBJ file (its content is not OBJ)"}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST(ModelLoadTest, MissingTextureLoadsUntextured)
{
    ScratchFolder folder;
    CMeshModel data = GreenSquare();
    data.materials[0].strTexture = "missing.png";
    const std::string path = WriteSample(data, SampleLayout::Obj, folder.Path());
    CMeshModel model;
    std::string reason;
    ASSERT_TRUE(LoadCheckedMesh(path, folder.Path() + "/", &model, &reason)) << reason;
    EXPECT_TRUE(model.textures.empty());
    EXPECT_TRUE(model.materials.at(0).strTexture.empty());
}
} // namespace
