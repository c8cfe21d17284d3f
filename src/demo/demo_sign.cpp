#include "demo/demo_sign.h"

#include "models/safe_3ds_load.h"
#include "model_writers/write_gltf.h"

#include <cmath>

namespace
{
constexpr float kPostHalfSide = 8.0f;
constexpr float kPostHeight = 45.0f;
constexpr float kPanelHalfWidth = 20.0f;
constexpr float kPanelHalfDepth = 2.0f;
constexpr float kPanelHalfHeight = 12.0f;
// One turn of the panel, in quarter turns a second.
constexpr int kTurnSeconds = 4;

// A box of six faces, four vertices each so every face has its own normal
// and the whole texture.
MeshData Box(const std::string& name, const std::array<float, 3>& half, int material)
{
    MeshData mesh;
    mesh.strName = name;
    mesh.nMaterial = material;
    for (int axis = 0; axis < 3; ++axis)
        for (const float sign : {-1.0f, 1.0f})
        {
            const int u = (axis + 1) % 3;
            const int v = (axis + 2) % 3;
            const unsigned int first = unsigned(mesh.positions.size() / 3);
            const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            for (const auto& corner : corners)
            {
                std::array<float, 3> p{};
                std::array<float, 3> n{};
                p[size_t(axis)] = sign * half[size_t(axis)];
                p[size_t(u)] = corner[0] * sign * half[size_t(u)];
                p[size_t(v)] = corner[1] * half[size_t(v)];
                n[size_t(axis)] = sign;
                mesh.positions.insert(mesh.positions.end(), p.begin(), p.end());
                mesh.normals.insert(mesh.normals.end(), n.begin(), n.end());
                mesh.uvs.insert(mesh.uvs.end(), {(corner[0] + 1) / 2, (1 - corner[1]) / 2});
            }
            mesh.indices.insert(mesh.indices.end(),
                                {first, first + 1, first + 2, first, first + 2, first + 3});
        }
    return mesh;
}

MeshNode Node(const std::string& name, int parent, float z, int mesh)
{
    MeshNode node;
    node.strName = name;
    node.nParent = parent;
    node.local[14] = z;
    node.meshes = {mesh};
    return node;
}
} // namespace

bool WriteDemoSign(const std::string& folder, std::string* error)
{
    CMeshModel sign;
    std::string texture;
    if (!ReadWholeFile(folder + "/ladrillo.png", kMaxTextureFileBytes, &texture, error))
        return false;
    sign.textures["ladrillo.png"] = texture;
    MeshMaterial post;
    post.strName = "Poste";
    post.baseColour = {0.15f, 0.25f, 0.6f, 1.0f};
    post.fMetallic = 1.0f;
    post.fRoughness = 0.4f;
    MeshMaterial panel;
    panel.strName = "Panel";
    panel.strTexture = "ladrillo.png";
    sign.materials = {post, panel};
    sign.meshes = {Box("Poste", {kPostHalfSide, kPostHalfSide, kPostHeight / 2}, 0),
                   Box("Panel", {kPanelHalfWidth, kPanelHalfDepth, kPanelHalfHeight}, 1)};
    sign.nodes = {Node("Poste", -1, kPostHeight / 2, 0),
                  Node("Panel", 0, kPostHeight / 2 + kPanelHalfHeight, 1)};
    NodeTrack turn;
    turn.nNode = 1;
    for (int second = 0; second <= kTurnSeconds; ++second)
    {
        const float half = float(M_PI) * float(second) / float(kTurnSeconds);
        turn.rotation.push_back({double(second), {0.0f, 0.0f, std::sin(half), std::cos(half)}});
    }
    sign.tracks = {turn};
    sign.dDurationSec = kTurnSeconds;
    return WriteGltf(sign, folder + "/senal.gltf", GltfLayout::Separate, error);
}
