// The guarded import of glTF, GLB, OBJ, FBX and Collada on any bytes: the
// first byte picks the file's extension, which decides the format only
// when the content shows none; what the checks and the probe pass is
// imported by assimp in this process, so a crash here is a file that got
// through both.

#include "models/safe_model_load.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const kNames[] = {"model.glb", "model.gltf", "model.obj", "model.fbx",
                                         "model.dae"};
    if (size == 0)
        return 0;
    const std::string path =
        InputAsFile(data + 1, size - 1, kNames[data[0] % (sizeof kNames / sizeof kNames[0])]);
    ProbeLimits limits;
    limits.nTimeoutMs = 2000;
    CMeshModel model;
    std::string reason;
    LoadCheckedMesh(path, FuzzFolder(), &model, &reason, limits);
    return 0;
}
