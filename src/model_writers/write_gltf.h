#pragma once
// Writes a CMeshModel as glTF 2.0: nodes with their transforms, one
// triangle primitive per mesh (positions, normals, texture coordinates,
// 32-bit indices), metallic-roughness materials with base colour, texture,
// alpha mode and double-sidedness, and node animation with linear keys.
// Used by the demo for its own models and by the tests for files whose
// every byte they know.

#include "models/mesh_model.h"

#include <string>

enum class GltfLayout
{
    // One .glb file: the JSON and one binary chunk holding buffers and
    // pictures.
    Binary,
    // One .gltf file; the buffer and the pictures as base64 data URIs.
    Embedded,
    // A .gltf file, its buffer in `stem`.bin beside it, and pictures named
    // by their texture keys, which the caller writes.
    Separate,
};

// The file's bytes for the layout; for Separate, *pBuffer receives the
// .bin file's bytes and uri its name.
std::string GltfBytes(const CMeshModel& model, GltfLayout layout, const std::string& bufferUri = "",
                      std::string* pBuffer = nullptr);

// Writes the file (and for Separate its .bin) through the atomic writer.
// False with a one-line reason.
bool WriteGltf(const CMeshModel& model, const std::string& path, GltfLayout layout,
               std::string* pError);
