#include "models/mesh_from_3ds.h"

#include "models/mesh_pose.h"
#include "models/safe_3ds_load.h"
#include "models/safe_model_load.h"

#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace
{
// As C3dsScene: a dummy groups its children and has no geometry of its own;
// the name is compared with its terminator.
constexpr char kDummyName[] = "$$$DUMMY";
// The float C3dsScene averages a material's three colours with, so the
// base colour is bit for bit the colour the desktop sets.
constexpr float kThird = 0.33333334f;
// As many keys as the assimp import accepts.
constexpr size_t kMaxKeys = size_t(1) << 20;

using Vec3 = std::array<float, 3>;
using Quat = std::array<float, 4>;
// A vertex is one point of the mesh with one corner normal.
using VertexKey = std::array<uint32_t, 4>;

// A node's own transform as lib3ds_node_eval composes it before it
// multiplies the parent's matrix on: object nodes translate, rotate and
// scale; camera, target, light and spot nodes only translate; an ambient
// node does neither.
struct NodePose
{
    Vec3 translation{0.0f, 0.0f, 0.0f};
    Quat rotation{0.0f, 0.0f, 0.0f, 1.0f}; // x, y, z, w, as lib3ds stores it
    Vec3 scale{1.0f, 1.0f, 1.0f};
};

NodePose PoseOf(const Lib3dsNode& node)
{
    NodePose pose;
    const float* position = nullptr;
    switch (node.type)
    {
    case LIB3DS_OBJECT_NODE:
    {
        const Lib3dsObjectData& object = node.data.object;
        position = object.pos;
        // Unit length, as lib3ds_matrix_rotate takes it: it divides by the
        // squared length.
        float norm = 0.0f;
        for (int k = 0; k < 4; ++k)
            norm += object.rot[k] * object.rot[k];
        norm = std::sqrt(norm);
        if (norm > 0.0f)
            for (int k = 0; k < 4; ++k)
                pose.rotation[size_t(k)] = object.rot[k] / norm;
        std::copy(object.scl, object.scl + 3, pose.scale.begin());
        break;
    }
    case LIB3DS_CAMERA_NODE:
        position = node.data.camera.pos;
        break;
    case LIB3DS_TARGET_NODE:
        position = node.data.target.pos;
        break;
    case LIB3DS_LIGHT_NODE:
        position = node.data.light.pos;
        break;
    case LIB3DS_SPOT_NODE:
        position = node.data.spot.pos;
        break;
    default:
        break;
    }
    if (position)
        std::copy(position, position + 3, pose.translation.begin());
    return pose;
}

// Built by lib3ds's own matrix functions, so a still node stands exactly
// where the desktop puts it.
Matrix4f LocalMatrix(NodePose pose)
{
    Lib3dsMatrix m;
    lib3ds_matrix_identity(m);
    lib3ds_matrix_translate(m, pose.translation.data());
    lib3ds_matrix_rotate(m, pose.rotation.data());
    lib3ds_matrix_scale(m, pose.scale.data());
    Matrix4f local;
    for (size_t k = 0; k < local.size(); ++k)
        local[k] = m[k / 4][k % 4];
    return local;
}

// Keys come at every frame; one between two equal keys adds nothing, so
// the last key of a run of equal ones only moves on. The count added.
template <typename Key, typename Value>
size_t AppendKey(std::vector<Key>* pKeys, double timeSec, const Value& value)
{
    std::vector<Key>& keys = *pKeys;
    const size_t count = keys.size();
    if (count >= 2 && keys[count - 1].value == value && keys[count - 2].value == value)
    {
        keys.back().dTimeSec = timeSec;
        return 0;
    }
    keys.push_back(Key{timeSec, value});
    return 1;
}

template <typename Key> bool Varies(const std::vector<Key>& keys)
{
    return std::any_of(keys.begin(), keys.end(),
                       [&keys](const Key& key) { return key.value != keys.front().value; });
}

bool FaceIsDrawable(const Lib3dsFace& face, const Lib3dsMesh& mesh)
{
    return face.points[0] < mesh.points && face.points[1] < mesh.points &&
           face.points[2] < mesh.points;
}

uint32_t Bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

template <typename Values> bool AllFinite(const Values& values)
{
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

bool ModelIsFinite(const CMeshModel& model)
{
    for (const MeshNode& node : model.nodes)
        if (!AllFinite(node.local))
            return false;
    for (const MeshData& mesh : model.meshes)
        if (!AllFinite(mesh.positions) || !AllFinite(mesh.uvs))
            return false;
    for (const MeshMaterial& material : model.materials)
        if (!AllFinite(material.baseColour))
            return false;
    const auto keysFinite = [](const auto& keys) {
        return std::all_of(keys.begin(), keys.end(),
                           [](const auto& k) { return AllFinite(k.value); });
    };
    return std::all_of(model.tracks.begin(), model.tracks.end(),
                       [&](const NodeTrack& t) {
                           return keysFinite(t.translation) && keysFinite(t.rotation) &&
                                  keysFinite(t.scale);
                       });
}

// Copies one loaded file into a model. Meshes and materials are copied
// once, however many nodes draw them.
class C3dsConverter
{
  public:
    C3dsConverter(Lib3dsFile& file, const std::map<std::string, std::string>& textureBytes,
                  CMeshModel* pModel)
        : m_file(file), m_textureBytes(textureBytes), m_model(*pModel)
    {
    }

    void Convert()
    {
        lib3ds_file_eval(&m_file, 0.0f);
        for (const Lib3dsNode* node = m_file.nodes; node; node = node->next)
            AddNode(*node, -1);
        SampleAnimation();
    }

  private:
    void AddNode(const Lib3dsNode& node, int nParent);
    const std::vector<int>& MeshParts(const Lib3dsMesh& mesh);
    void AddVertex(MeshData* pPart, const Lib3dsMesh& mesh, const Lib3dsMatrix inverse,
                   Lib3dsWord point, const float* normal, const Lib3dsTextureMap* pTexture);
    int MaterialIndex(const Lib3dsMaterial* pMaterial);
    void SampleAnimation();

    Lib3dsFile& m_file;
    const std::map<std::string, std::string>& m_textureBytes;
    CMeshModel& m_model;
    std::map<const Lib3dsMesh*, std::vector<int>> m_parts;
    std::map<const Lib3dsMaterial*, int> m_materials;
    // The lib3ds node behind each model node that has one, and its index.
    std::vector<std::pair<const Lib3dsNode*, int>> m_sources;
};

void C3dsConverter::AddNode(const Lib3dsNode& node, int nParent)
{
    const int index = int(m_model.nodes.size());
    MeshNode copy;
    copy.strName = node.name;
    copy.nParent = nParent;
    copy.local = LocalMatrix(PoseOf(node));
    m_model.nodes.push_back(copy);
    m_sources.emplace_back(&node, index);

    const Lib3dsMesh* mesh = nullptr;
    if (node.type == LIB3DS_OBJECT_NODE && std::memcmp(node.name, kDummyName, sizeof kDummyName))
        mesh = lib3ds_file_mesh_by_name(&m_file, node.name);
    if (mesh)
    {
        const std::vector<int>& parts = MeshParts(*mesh);
        // The pivot moves this node's mesh only, not its children, so it
        // gets a node of its own.
        const float* pivot = node.data.object.pivot;
        int holder = index;
        if (pivot[0] != 0.0f || pivot[1] != 0.0f || pivot[2] != 0.0f)
        {
            MeshNode pivoted;
            pivoted.strName = node.name;
            pivoted.nParent = index;
            for (size_t axis = 0; axis < 3; ++axis)
                pivoted.local[12 + axis] = -pivot[axis];
            holder = int(m_model.nodes.size());
            m_model.nodes.push_back(pivoted);
        }
        m_model.nodes[size_t(holder)].meshes = parts;
    }
    for (const Lib3dsNode* child = node.childs; child; child = child->next)
        AddNode(*child, index);
}

const std::vector<int>& C3dsConverter::MeshParts(const Lib3dsMesh& mesh)
{
    const auto known = m_parts.find(&mesh);
    if (known != m_parts.end())
        return known->second;
    std::vector<int>& parts = m_parts[&mesh];

    Lib3dsMatrix inverse;
    lib3ds_matrix_copy(inverse, const_cast<Lib3dsMesh&>(mesh).matrix);
    lib3ds_matrix_inv(inverse);
    // The same normals as the display list: smoothed by lib3ds, or the flat
    // face normals when a face points past the mesh's points.
    std::vector<Lib3dsVector> normals(size_t(mesh.faces) * 3 + 1);
    if (std::all_of(mesh.faceL, mesh.faceL + mesh.faces,
                    [&mesh](const Lib3dsFace& face) { return FaceIsDrawable(face, mesh); }))
        lib3ds_mesh_calculate_normals(const_cast<Lib3dsMesh*>(&mesh), normals.data());
    else
        for (size_t k = 0; k < size_t(mesh.faces) * 3; ++k)
            std::memcpy(normals[k], mesh.faceL[k / 3].normal, sizeof(Lib3dsVector));

    std::map<int, size_t> partOfMaterial;
    std::vector<std::map<VertexKey, unsigned int>> vertices;
    for (Lib3dsDword k = 0; k < mesh.faces; ++k)
    {
        const Lib3dsFace& face = mesh.faceL[k];
        if (!FaceIsDrawable(face, mesh))
            continue;
        const Lib3dsMaterial* material =
            face.material[0] ? lib3ds_file_material_by_name(&m_file, face.material) : nullptr;
        const int nMaterial = MaterialIndex(material);
        const auto [slot, bAdded] = partOfMaterial.emplace(nMaterial, parts.size());
        if (bAdded)
        {
            MeshData part;
            part.strName = mesh.name;
            part.nMaterial = nMaterial;
            parts.push_back(int(m_model.meshes.size()));
            m_model.meshes.push_back(std::move(part));
            vertices.emplace_back();
        }
        MeshData& part = m_model.meshes[size_t(parts[slot->second])];
        const bool bTextured =
            mesh.texels > 0 && !m_model.materials[size_t(nMaterial)].strTexture.empty();
        for (size_t corner = 0; corner < 3; ++corner)
        {
            const Lib3dsWord point = face.points[corner];
            const float* normal = normals[size_t(k) * 3 + corner];
            const VertexKey key{point, Bits(normal[0]), Bits(normal[1]), Bits(normal[2])};
            const auto [vertex, bNew] =
                vertices[slot->second].emplace(key, unsigned(part.positions.size() / 3));
            if (bNew)
                AddVertex(&part, mesh, inverse, point, normal,
                          bTextured ? &material->texture1_map : nullptr);
            part.indices.push_back(vertex->second);
        }
    }
    return parts;
}

// The point is taken out of the mesh matrix's frame, as the display list
// does; its normal turns by the inverse transpose of that, the mesh
// matrix's own transpose.
void C3dsConverter::AddVertex(MeshData* pPart, const Lib3dsMesh& mesh, const Lib3dsMatrix inverse,
                              Lib3dsWord point, const float* normal,
                              const Lib3dsTextureMap* pTexture)
{
    const float* p = mesh.pointL[point].pos;
    Vec3 turned{0.0f, 0.0f, 0.0f};
    float length = 0.0f;
    for (int row = 0; row < 3; ++row)
    {
        pPart->positions.push_back(inverse[0][row] * p[0] + inverse[1][row] * p[1] +
                                   inverse[2][row] * p[2] + inverse[3][row]);
        for (int k = 0; k < 3; ++k)
            turned[size_t(row)] += mesh.matrix[row][k] * normal[k];
        length += turned[size_t(row)] * turned[size_t(row)];
    }
    length = std::sqrt(length);
    // A degenerate face has no direction; glTF still wants a unit normal.
    if (!(length > 0.0f) || !std::isfinite(length))
    {
        turned = {0.0f, 0.0f, 1.0f};
        length = 1.0f;
    }
    for (float component : turned)
        pPart->normals.push_back(component / length);
    if (!pTexture)
        return;
    const bool bHasTexel = point < mesh.texels;
    pPart->uvs.push_back(bHasTexel ? mesh.texelL[point][0] * pTexture->scale[0] : 0.0f);
    pPart->uvs.push_back(bHasTexel ? mesh.texelL[point][1] * pTexture->scale[1] : 0.0f);
}

int C3dsConverter::MaterialIndex(const Lib3dsMaterial* pMaterial)
{
    const auto known = m_materials.find(pMaterial);
    if (known != m_materials.end())
        return known->second;
    MeshMaterial material;
    // The desktop culls no faces, and exporters' windings are often mixed.
    material.bDoubleSided = true;
    if (pMaterial)
    {
        material.strName = pMaterial->name;
        for (int c = 0; c < 3; ++c)
            material.baseColour[size_t(c)] =
                (pMaterial->ambient[c] + pMaterial->diffuse[c] + pMaterial->specular[c]) * kThird;
        if (pMaterial->transparency > 0.0f)
        {
            material.alphaMode = AlphaMode::Blend;
            material.baseColour[3] = 1.0f - std::min(pMaterial->transparency, 1.0f);
        }
        const auto bytes = m_textureBytes.find(pMaterial->texture1_map.name);
        if (pMaterial->texture1_map.name[0] && bytes != m_textureBytes.end())
        {
            material.strTexture = bytes->first;
            m_model.textures.insert(*bytes);
        }
    }
    m_model.materials.push_back(std::move(material));
    return m_materials[pMaterial] = int(m_model.materials.size()) - 1;
}

void C3dsConverter::SampleAnimation()
{
    if (m_file.frames <= 0)
        return;
    std::vector<NodeTrack> tracks(m_sources.size());
    size_t nKeys = 0;
    for (Lib3dsIntd frame = 0; frame <= m_file.frames; ++frame)
    {
        lib3ds_file_eval(&m_file, Lib3dsFloat(frame));
        // The expression CMeshScene steps its time by, so a step lands on
        // its key exactly.
        const double timeSec = frame * kAnimationFrameSec;
        for (size_t k = 0; k < m_sources.size(); ++k)
        {
            const NodePose pose = PoseOf(*m_sources[k].first);
            nKeys += AppendKey(&tracks[k].translation, timeSec, pose.translation) +
                     AppendKey(&tracks[k].rotation, timeSec, pose.rotation) +
                     AppendKey(&tracks[k].scale, timeSec, pose.scale);
            if (nKeys > kMaxKeys)
                return;
        }
    }
    // A node that moves keeps all three lists: its rest matrix may mirror,
    // which a split into rotation and scale cannot restore.
    for (size_t k = 0; k < tracks.size(); ++k)
        if (Varies(tracks[k].translation) || Varies(tracks[k].rotation) || Varies(tracks[k].scale))
        {
            tracks[k].nNode = m_sources[k].second;
            m_model.tracks.push_back(std::move(tracks[k]));
        }
    if (!m_model.tracks.empty())
        m_model.dDurationSec = m_file.frames * kAnimationFrameSec;
}

bool Refuse(std::string* pReason, const std::string& reason)
{
    if (pReason)
        *pReason = reason;
    return false;
}
} // namespace

bool Load3dsAsMesh(const std::string& path, const std::string& directory, CMeshModel* pModel,
                   std::string* pReason)
{
    CLoaded3ds loaded;
    std::string reason;
    if (!LoadChecked3ds(path, directory, &loaded, &reason))
        return Refuse(pReason, reason);
    CMeshModel model;
    model.format = ModelFormat::Max3ds;
    C3dsConverter(*loaded.pFile, loaded.textureBytes, &model).Convert();
    if (!ModelIsFinite(model))
        return Refuse(pReason, "damaged 3DS file (a point, matrix, colour or key that is not a "
                               "finite number)");
    *pModel = std::move(model);
    return true;
}

bool LoadAnyModelAsMesh(const std::string& path, const std::string& directory, CMeshModel* pModel,
                        std::string* pReason)
{
    if (SniffModelFile(path) == ModelFormat::Max3ds)
        return Load3dsAsMesh(path, directory, pModel, pReason);
    std::string reason;
    return LoadCheckedMesh(path, directory, pModel, &reason) || Refuse(pReason, reason);
}
