#pragma once
// What the model dialog tells about a model file without drawing it: its
// format, its box at rest in the file's units, whether the file is Y up
// (every format assimp reads; 3DS is Z up) and whether bones would move
// its meshes. Loads the file through the same guards as the scenes.

#include "models/mesh_pose.h"

#include <string>

struct ModelFacts
{
    ModelFormat format = ModelFormat::Unknown;
    ModelBox box;
    bool bYUp = false;
    bool bSkinned = false;
};

// False with the loader's reason when the file is missing or refused.
bool ReadModelFacts(const std::string& path, const std::string& directory, ModelFacts* pFacts,
                    std::string* pReason);
