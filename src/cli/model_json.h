#pragma once
// A loaded 3DS file described as JSON for `zelmora-cli model show`: the
// keyframer's node tree, the meshes, the materials, the lights and the
// frame count, as lib3ds read them.

#include <nlohmann/json.hpp>

struct Lib3dsFile;

nlohmann::json SceneToJson(const Lib3dsFile& file);
