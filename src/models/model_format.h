#pragma once
// Which kind of model a file holds, told from its first bytes: a model
// downloaded or renamed by hand may carry any extension, and a damaged file
// must still be refused under the name of the format it claims to be.

#include <string>

enum class ModelFormat
{
    Unknown,
    Max3ds,
    Gltf,
    Glb,
    Obj,
    Fbx,
    Collada,
};

// The format the bytes (the whole file or at least its first few KiB) show;
// when they show none, the one the name's extension gives, so the refusal
// names what the user meant to load.
ModelFormat SniffModelFormat(const std::string& head, const std::string& name);

// The format's usual name in messages: "3DS", "glTF", "GLB", "OBJ", "FBX",
// "Collada".
const char* ModelFormatName(ModelFormat format);

// True when the bytes themselves, not only the name, show the format.
bool ContentShowsFormat(const std::string& head, ModelFormat format);
