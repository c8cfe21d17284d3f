#pragma once
// A model read through assimp, copied into plain arrays: the node tree with
// its transforms, triangle meshes with normals and texture coordinates,
// materials, the picture bytes of their textures and the node animation.
// Holds no GL and no assimp type, so it outlives the importer. Filled by
// LoadCheckedMesh, owned by the scene that draws it.

#include "models/model_format.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

// Column-major, as OpenGL takes it.
using Matrix4f = std::array<float, 16>;

enum class AlphaMode
{
    Opaque,
    Mask,
    Blend,
};

struct MeshMaterial
{
    std::string strName;
    std::array<float, 4> baseColour{1.0f, 1.0f, 1.0f, 1.0f};
    // Key into CMeshModel::textures; empty without a texture or when its
    // picture is missing or refused.
    std::string strTexture;
    AlphaMode alphaMode = AlphaMode::Opaque;
    float fAlphaCutoff = 0.5f;
    bool bDoubleSided = false;
    float fMetallic = 0.0f;
    float fRoughness = 1.0f;
};

struct MeshData
{
    std::string strName;
    // Three floats per vertex each; uvs two per vertex, or empty.
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> uvs;
    // Three vertex indices per triangle, each below the vertex count.
    std::vector<unsigned int> indices;
    int nMaterial = -1;
    // Bones would deform it; it is drawn in its bind pose.
    bool bSkinned = false;
};

struct MeshNode
{
    std::string strName;
    // Earlier in CMeshModel::nodes than the node itself; -1 for the root.
    int nParent = -1;
    Matrix4f local{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::vector<int> meshes;
};

struct VectorKey
{
    double dTimeSec;
    std::array<float, 3> value;
};

struct RotationKey
{
    double dTimeSec;
    // x, y, z, w
    std::array<float, 4> value;
};

// The keys of one node; a list without keys leaves that part of the node's
// own transform as it is.
struct NodeTrack
{
    int nNode = 0;
    std::vector<VectorKey> translation;
    std::vector<RotationKey> rotation;
    std::vector<VectorKey> scale;
};

struct CMeshModel
{
    ModelFormat format = ModelFormat::Unknown;
    std::vector<MeshNode> nodes;
    std::vector<MeshData> meshes;
    std::vector<MeshMaterial> materials;
    // Picture bytes by texture key: the file name as the material gives it,
    // or "*N" for the N-th picture stored inside the file.
    std::map<std::string, std::string> textures;
    // The first animation of the file; no tracks when it has none.
    std::vector<NodeTrack> tracks;
    double dDurationSec = 0.0;

    bool IsSkinned() const
    {
        return std::any_of(meshes.begin(), meshes.end(),
                           [](const MeshData& m) { return m.bSkinned; });
    }
};
