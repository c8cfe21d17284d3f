#pragma once
// Small models for the tests of the formats assimp reads, built in memory
// and written by our glTF writer or, for OBJ, line by line from the
// format's description: flat squares in the XY plane facing +Z, which the
// top view shows with X to the right and Y up.

#include "models/mesh_model.h"
#include "model_writers/write_gltf.h"

#include <string>

// A square of the given half side about (x, y) in its own node, coloured,
// and textured with `texture` when that is not empty. Texture coordinates
// follow glTF: the picture's top row at the square's top edge.
void AddSquare(CMeshModel* pModel, float x, float y, float halfSide,
               const std::array<float, 4>& colour, const std::string& texture = "");

// A PNG picture, its top half red and its bottom half blue.
std::string RedOverBluePng();

// How a test file is written.
enum class SampleLayout
{
    Glb,
    GltfDataUris,
    GltfSeparate,
    Obj,
    // Written as a glTF with its pictures beside it, then converted by
    // assimp's own exporter.
    Collada,
    Fbx,
};

// Writes the model into `folder` as `stem` plus the layout's extension and
// returns its path; the pictures of a layout that keeps them beside the
// model are written there under their texture keys.
std::string WriteSample(const CMeshModel& model, SampleLayout layout, const std::string& folder,
                        const std::string& stem = "model");
