#include "support/sample_models.h"

#include "support/png_pictures.h"
#include "support/scratch_folder.h"

#include <assimp/Exporter.hpp>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <cstdio>
#include <fstream>
#include <sstream>

void AddSquare(CMeshModel* pModel, float x, float y, float halfSide,
               const std::array<float, 4>& colour, const std::string& texture)
{
    MeshData mesh;
    mesh.strName = "square" + std::to_string(pModel->meshes.size());
    const float h = halfSide;
    mesh.positions = {-h, -h, 0, h, -h, 0, h, h, 0, -h, h, 0};
    mesh.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
    mesh.uvs = {0, 1, 1, 1, 1, 0, 0, 0};
    mesh.indices = {0, 1, 2, 0, 2, 3};
    mesh.nMaterial = int(pModel->materials.size());
    MeshMaterial material;
    material.strName = "material" + std::to_string(pModel->materials.size());
    material.baseColour = colour;
    material.strTexture = texture;
    MeshNode node;
    node.strName = "node" + std::to_string(pModel->nodes.size());
    node.local[12] = x;
    node.local[13] = y;
    node.meshes = {int(pModel->meshes.size())};
    pModel->meshes.push_back(mesh);
    pModel->materials.push_back(material);
    pModel->nodes.push_back(node);
}

std::string RedOverBluePng()
{
    ScratchFolder folder;
    const std::string path = folder.Path("picture.png");
    WritePng(path, 4, 4,
             [](int, int y) {
                 return y < 2 ? Rgba8{255, 0, 0, 255} : Rgba8{0, 0, 255, 255};
             });
    return ReadBytes(path);
}

namespace
{
// OBJ has no nodes: the squares are written where their nodes put them,
// with OBJ's texture origin at the bottom left.
std::string ObjText(const CMeshModel& model, const std::string& mtlName, std::string* pMtl)
{
    std::ostringstream obj;
    std::ostringstream mtl;
    obj << "mtllib " << mtlName << "\n";
    size_t base = 1;
    for (const MeshNode& node : model.nodes)
        for (int m : node.meshes)
        {
            const MeshData& mesh = model.meshes[size_t(m)];
            const MeshMaterial& material = model.materials[size_t(mesh.nMaterial)];
            obj << "o " << mesh.strName << "\n";
            for (size_t v = 0; v < mesh.positions.size() / 3; ++v)
                obj << "v " << mesh.positions[v * 3] + node.local[12] << ' '
                    << mesh.positions[v * 3 + 1] + node.local[13] << ' '
                    << mesh.positions[v * 3 + 2] + node.local[14] << "\nvt " << mesh.uvs[v * 2]
                    << ' ' << 1.0f - mesh.uvs[v * 2 + 1] << "\nvn 0 0 1\n";
            obj << "usemtl " << material.strName << "\n";
            for (size_t f = 0; f < mesh.indices.size(); f += 3)
            {
                obj << 'f';
                for (size_t c = 0; c < 3; ++c)
                {
                    const size_t i = base + mesh.indices[f + c];
                    obj << ' ' << i << '/' << i << '/' << i;
                }
                obj << "\n";
            }
            base += mesh.positions.size() / 3;
            mtl << "newmtl " << material.strName << "\nKd " << material.baseColour[0] << ' '
                << material.baseColour[1] << ' ' << material.baseColour[2] << "\nd "
                << material.baseColour[3] << "\n";
            if (!material.strTexture.empty())
                mtl << "map_Kd " << material.strTexture << "\n";
        }
    *pMtl = mtl.str();
    return obj.str();
}
} // namespace

std::string WriteSample(const CMeshModel& model, SampleLayout layout, const std::string& folder,
                        const std::string& stem)
{
    if (layout == SampleLayout::Collada || layout == SampleLayout::Fbx)
    {
        const std::string source =
            WriteSample(model, SampleLayout::GltfSeparate, folder, stem + "-gltf");
        Assimp::Importer importer;
        const aiScene* pScene = importer.ReadFile(source, 0);
        const bool bCollada = layout == SampleLayout::Collada;
        const std::string path = folder + "/" + stem + (bCollada ? ".dae" : ".fbx");
        // The text form of FBX: assimp 5.2 cannot read back its own binary FBX.
        Assimp::Exporter exporter;
        if (!pScene || exporter.Export(pScene, bCollada ? "collada" : "fbxa", path) != AI_SUCCESS)
            std::fprintf(stderr, "%s: %s\n", path.c_str(), exporter.GetErrorString());
        return path;
    }
    if (layout == SampleLayout::Obj || layout == SampleLayout::GltfSeparate)
        for (const auto& [name, bytes] : model.textures)
            WriteBytes(folder + "/" + name, bytes);
    if (layout == SampleLayout::Obj)
    {
        std::string mtl;
        const std::string obj = ObjText(model, stem + ".mtl", &mtl);
        WriteBytes(folder + "/" + stem + ".mtl", mtl);
        WriteBytes(folder + "/" + stem + ".obj", obj);
        return folder + "/" + stem + ".obj";
    }
    const GltfLayout gltf = layout == SampleLayout::Glb            ? GltfLayout::Binary
                            : layout == SampleLayout::GltfDataUris ? GltfLayout::Embedded
                                                                   : GltfLayout::Separate;
    const std::string path = folder + "/" + stem + (layout == SampleLayout::Glb ? ".glb" : ".gltf");
    std::string error;
    if (!WriteGltf(model, path, gltf, &error))
        std::fprintf(stderr, "%s\n", error.c_str());
    return path;
}
