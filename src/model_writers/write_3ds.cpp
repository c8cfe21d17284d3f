#include "model_writers/write_3ds.h"

#include "imaging/replace_file.h"
#include "models/memory_io_3ds.h"

#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>
#include <memory>
#include <stdexcept>

namespace
{
void CopyName(char* target, size_t size, const std::string& name)
{
    if (name.size() >= size)
        throw std::runtime_error("3DS name too long: " + name);
    std::memcpy(target, name.c_str(), name.size() + 1);
}

void CopyRgba(Lib3dsRgba target, const Vec3f& colour)
{
    target[0] = colour[0];
    target[1] = colour[1];
    target[2] = colour[2];
    target[3] = 1.0f;
}

Lib3dsMaterial* NewMaterial(const MaterialSpec& sample)
{
    Lib3dsMaterial* material = lib3ds_material_new();
    CopyName(material->name, sizeof material->name, sample.name);
    CopyRgba(material->ambient, sample.ambient);
    CopyRgba(material->diffuse, sample.diffuse);
    CopyRgba(material->specular, sample.specular);
    material->shininess = sample.shininess;
    material->transparency = sample.transparency;
    if (!sample.textureName.empty())
    {
        CopyName(material->texture1_map.name, sizeof material->texture1_map.name,
                 sample.textureName);
        material->texture1_map.percent = 1.0f;
        material->texture1_map.scale[0] = sample.uScale;
        material->texture1_map.scale[1] = sample.vScale;
    }
    return material;
}

Lib3dsMesh* NewMesh(const MeshSpec& sample)
{
    Lib3dsMesh* mesh = lib3ds_mesh_new(sample.name.c_str());
    for (size_t k = 0; k < sample.matrix.size(); ++k)
        mesh->matrix[k / 4][k % 4] = sample.matrix[k];
    lib3ds_mesh_new_point_list(mesh, static_cast<Lib3dsDword>(sample.points.size()));
    for (size_t k = 0; k < sample.points.size(); ++k)
        for (int axis = 0; axis < 3; ++axis)
            mesh->pointL[k].pos[axis] = sample.points[k][axis];
    if (!sample.texels.empty())
    {
        lib3ds_mesh_new_texel_list(mesh, static_cast<Lib3dsDword>(sample.texels.size()));
        for (size_t k = 0; k < sample.texels.size(); ++k)
        {
            mesh->texelL[k][0] = sample.texels[k][0];
            mesh->texelL[k][1] = sample.texels[k][1];
        }
    }
    lib3ds_mesh_new_face_list(mesh, static_cast<Lib3dsDword>(sample.faces.size()));
    for (size_t k = 0; k < sample.faces.size(); ++k)
    {
        Lib3dsFace& face = mesh->faceL[k];
        for (int corner = 0; corner < 3; ++corner)
            face.points[corner] = sample.faces[k][corner];
        face.flags = LIB3DS_FACE_FLAG_VIS_AC | LIB3DS_FACE_FLAG_VIS_BC | LIB3DS_FACE_FLAG_VIS_AB;
        face.smoothing = 1;
        if (k < sample.faceMaterials.size())
            CopyName(face.material, sizeof face.material, sample.faceMaterials[k]);
    }
    return mesh;
}

void AddPositionKey(Lib3dsLin3Track& track, int frame, const Vec3f& value)
{
    Lib3dsLin3Key* key = lib3ds_lin3_key_new();
    key->tcb.frame = frame;
    key->value[0] = value[0];
    key->value[1] = value[1];
    key->value[2] = value[2];
    lib3ds_lin3_track_insert(&track, key);
}

Lib3dsNode* NewNode(const NodeSpec& sample)
{
    Lib3dsNode* node = lib3ds_node_new_object();
    CopyName(node->name, sizeof node->name, sample.name);
    node->node_id = static_cast<Lib3dsWord>(sample.id);
    node->parent_id =
        sample.parentId == kNoParent ? LIB3DS_NO_PARENT : static_cast<Lib3dsWord>(sample.parentId);
    Lib3dsObjectData& object = node->data.object;
    for (int axis = 0; axis < 3; ++axis)
        object.pivot[axis] = sample.pivot[axis];
    for (const PositionKeySpec& key : sample.positionKeys)
        AddPositionKey(object.pos_track, key.frame, key.position);
    lib3ds_lin3_track_setup(&object.pos_track);

    for (const RotationKeySpec& key : sample.rotationKeys)
    {
        Lib3dsQuatKey* rotation = lib3ds_quat_key_new();
        rotation->tcb.frame = key.frame;
        for (int axis = 0; axis < 3; ++axis)
            rotation->axis[axis] = key.axis[axis];
        rotation->angle = key.angleRad;
        lib3ds_quat_track_insert(&object.rot_track, rotation);
    }
    lib3ds_quat_track_setup(&object.rot_track);

    AddPositionKey(object.scl_track, 0, sample.scale);
    lib3ds_lin3_track_setup(&object.scl_track);
    return node;
}

Lib3dsLight* NewLight(const LightSpec& sample)
{
    Lib3dsLight* light = lib3ds_light_new(sample.name.c_str());
    for (int k = 0; k < 3; ++k)
    {
        light->color[k] = sample.colour[k];
        light->position[k] = sample.position[k];
        light->spot[k] = sample.target[k];
    }
    light->spot_light = sample.spot ? LIB3DS_TRUE : LIB3DS_FALSE;
    light->hot_spot = sample.hotSpotDeg;
    light->fall_off = sample.hotSpotDeg + 5.0f;
    return light;
}
} // namespace

void Write3ds(const Model3dsSpec& scene, const std::string& path)
{
    Unique3dsFile file(lib3ds_file_new());
    file->frames = scene.frames;
    file->segment_from = 0;
    file->segment_to = scene.frames;
    for (const MaterialSpec& material : scene.materials)
        lib3ds_file_insert_material(file.get(), NewMaterial(material));
    for (const MeshSpec& mesh : scene.meshes)
        lib3ds_file_insert_mesh(file.get(), NewMesh(mesh));
    // Parents go in before their children: lib3ds files a node under the
    // parent it finds by id at insertion time.
    for (const NodeSpec& node : scene.nodes)
        lib3ds_file_insert_node(file.get(), NewNode(node));
    for (const LightSpec& light : scene.lights)
        lib3ds_file_insert_light(file.get(), NewLight(light));
    std::string bytes;
    if (!Save3dsToMemory(file.get(), &bytes))
        throw std::runtime_error("lib3ds cannot write " + path);
    std::string error;
    if (!ReplaceFile(path, bytes, "3DS file", &error))
        throw std::runtime_error(error);
}

MeshSpec SquareMesh(const std::string& name, const Vec3f& centre, float half, int axisU,
                      int axisV, const std::string& material)
{
    MeshSpec mesh;
    mesh.name = name;
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& corner : corners)
    {
        Vec3f point = centre;
        point[axisU] += corner[0] * half;
        point[axisV] += corner[1] * half;
        mesh.points.push_back(point);
        mesh.texels.push_back({(corner[0] + 1) / 2, (corner[1] + 1) / 2});
    }
    mesh.faces = {{0, 1, 2}, {0, 2, 3}};
    mesh.faceMaterials = {material, material};
    return mesh;
}

NodeSpec StillNode(const std::string& name, int id, int parentId)
{
    NodeSpec node;
    node.name = name;
    node.id = id;
    node.parentId = parentId;
    return node;
}

MeshSpec CubeMesh(const std::string& name, const Vec3f& centre, float half,
                    const std::string& material)
{
    MeshSpec mesh;
    mesh.name = name;
    for (int corner = 0; corner < 8; ++corner)
        mesh.points.push_back({centre[0] + ((corner & 1) ? half : -half),
                               centre[1] + ((corner & 2) ? half : -half),
                               centre[2] + ((corner & 4) ? half : -half)});
    mesh.faces = {{0, 1, 3}, {0, 3, 2}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
                  {2, 3, 7}, {2, 7, 6}, {0, 2, 6}, {0, 6, 4}, {1, 3, 7}, {1, 7, 5}};
    mesh.faceMaterials.assign(mesh.faces.size(), material);
    return mesh;
}

MaterialSpec PlainMaterial(const std::string& name, const Vec3f& colour)
{
    MaterialSpec material;
    material.name = name;
    material.ambient = material.diffuse = material.specular = colour;
    return material;
}
