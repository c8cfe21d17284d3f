#include "cli/model_json.h"

#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

namespace
{
const char* NodeTypeName(Lib3dsNodeTypes type)
{
    switch (type)
    {
    case LIB3DS_AMBIENT_NODE:
        return "ambient";
    case LIB3DS_OBJECT_NODE:
        return "object";
    case LIB3DS_CAMERA_NODE:
        return "camera";
    case LIB3DS_TARGET_NODE:
        return "target";
    case LIB3DS_LIGHT_NODE:
        return "light";
    case LIB3DS_SPOT_NODE:
        return "spot";
    case LIB3DS_UNKNOWN_NODE:
        break;
    }
    return "unknown";
}

nlohmann::json Triple(const float* values)
{
    return nlohmann::json::array({values[0], values[1], values[2]});
}

// The checker bounds the tree's depth, so the recursion is bounded too.
nlohmann::json NodeToJson(const Lib3dsNode& node)
{
    nlohmann::json children = nlohmann::json::array();
    for (const Lib3dsNode* child = node.childs; child; child = child->next)
        children.push_back(NodeToJson(*child));
    return {{"name", node.name},
            {"type", NodeTypeName(node.type)},
            {"id", node.node_id},
            {"children", children}};
}
} // namespace

nlohmann::json SceneToJson(const Lib3dsFile& file)
{
    nlohmann::json nodes = nlohmann::json::array();
    for (const Lib3dsNode* node = file.nodes; node; node = node->next)
        nodes.push_back(NodeToJson(*node));

    nlohmann::json meshes = nlohmann::json::array();
    for (const Lib3dsMesh* mesh = file.meshes; mesh; mesh = mesh->next)
        meshes.push_back({{"name", mesh->name},
                          {"points", mesh->points},
                          {"faces", mesh->faces},
                          {"texels", mesh->texels}});

    nlohmann::json materials = nlohmann::json::array();
    for (const Lib3dsMaterial* material = file.materials; material; material = material->next)
    {
        nlohmann::json texture = nullptr;
        if (material->texture1_map.name[0])
            texture = material->texture1_map.name;
        materials.push_back({{"name", material->name},
                             {"ambient", Triple(material->ambient)},
                             {"diffuse", Triple(material->diffuse)},
                             {"specular", Triple(material->specular)},
                             {"texture", texture}});
    }

    nlohmann::json lights = nlohmann::json::array();
    for (const Lib3dsLight* light = file.lights; light; light = light->next)
        lights.push_back({{"name", light->name},
                          {"spot", bool(light->spot_light)},
                          {"colour", Triple(light->color)},
                          {"position", Triple(light->position)}});

    return {{"frames", file.frames},
            {"nodes", nodes},
            {"meshes", meshes},
            {"materials", materials},
            {"lights", lights}};
}

namespace
{
const char* AlphaModeName(AlphaMode mode)
{
    switch (mode)
    {
    case AlphaMode::Mask:
        return "mask";
    case AlphaMode::Blend:
        return "blend";
    case AlphaMode::Opaque:
        break;
    }
    return "opaque";
}

// Nodes come parents first, and the importer bounds the tree's depth.
nlohmann::json MeshNodeToJson(const CMeshModel& model, size_t index)
{
    const MeshNode& node = model.nodes[index];
    nlohmann::json children = nlohmann::json::array();
    for (size_t k = index + 1; k < model.nodes.size(); ++k)
        if (model.nodes[k].nParent == int(index))
            children.push_back(MeshNodeToJson(model, k));
    return {{"name", node.strName}, {"meshes", node.meshes}, {"children", children}};
}
} // namespace

nlohmann::json MeshModelToJson(const CMeshModel& model)
{
    nlohmann::json meshes = nlohmann::json::array();
    for (const MeshData& mesh : model.meshes)
        meshes.push_back({{"name", mesh.strName},
                          {"vertices", mesh.positions.size() / 3},
                          {"triangles", mesh.indices.size() / 3},
                          {"material", mesh.nMaterial},
                          {"skinned", mesh.bSkinned}});
    nlohmann::json materials = nlohmann::json::array();
    for (const MeshMaterial& material : model.materials)
        materials.push_back(
            {{"name", material.strName},
             {"baseColour", material.baseColour},
             {"texture",
              material.strTexture.empty() ? nlohmann::json() : nlohmann::json(material.strTexture)},
             {"alphaMode", AlphaModeName(material.alphaMode)},
             {"doubleSided", material.bDoubleSided},
             {"metallic", material.fMetallic},
             {"roughness", material.fRoughness}});
    nlohmann::json json = {{"format", ModelFormatName(model.format)},
                           {"frames", AnimationFrames(model)},
                           {"durationSec", model.dDurationSec},
                           {"nodes", model.nodes.empty()
                                         ? nlohmann::json::array()
                                         : nlohmann::json::array({MeshNodeToJson(model, 0)})},
                           {"meshes", meshes},
                           {"materials", materials},
                           {"textures", model.textures.size()}};
    // Bones are not applied: the viewer is told the pose it sees.
    if (model.IsSkinned())
        json["note"] = "skinned meshes are drawn in their bind pose";
    return json;
}

nlohmann::json BoxToJson(const ModelBox& box)
{
    if (box.bEmpty)
        return nullptr;
    return {{"min", box.min},
            {"max", box.max},
            {"size", {box.max[0] - box.min[0], box.max[1] - box.min[1], box.max[2] - box.min[2]}}};
}
