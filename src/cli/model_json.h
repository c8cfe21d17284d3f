#pragma once
// A loaded model described as JSON for `zelmora-cli model show`: for a 3DS
// file the keyframer's node tree, the meshes, the materials, the lights and
// the frame count, as lib3ds read them; for the formats assimp reads the
// node tree, meshes, materials and animation as the scene draws them.

#include <nlohmann/json.hpp>

#include "models/mesh_pose.h"

struct Lib3dsFile;

nlohmann::json SceneToJson(const Lib3dsFile& file);
nlohmann::json MeshModelToJson(const CMeshModel& model);
// The box around the model at rest, in its own units, which are the
// project's when the model's matrix does not scale.
nlohmann::json BoxToJson(const ModelBox& box);
