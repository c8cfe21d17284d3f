#pragma once
// One import of a model through assimp, copied into a CMeshModel. Runs
// assimp on untrusted bytes: call it in this process only for a file the
// child-process probe has already imported (safe_model_load.h).

#include "models/mesh_model.h"

#include <string>

// Bounds on what one model may hold; beyond them the file is refused
// rather than drawn slowly or exhausting memory.
struct MeshLimits
{
    long long nMaxVertices = 16LL << 20;
    long long nMaxTriangles = 16LL << 20;
    int nMaxNodes = 100000;
    // The node tree is walked recursively.
    int nMaxDepth = 256;
    int nMaxKeys = 1 << 20;
    // Every file besides the model (buffers, material libraries) together.
    long long nMaxSideFileBytes = 256LL << 20;
};

// bytes is the model file's content, path its name (for the files it
// names, resolved beside it). False with a reason; *pModel is then partly
// filled and must be dropped. Textures are listed by name but not read.
bool ImportWithAssimp(const std::string& path, const std::string& bytes, ModelFormat format,
                      CMeshModel* pModel, std::string* pReason, const MeshLimits& limits = {});
