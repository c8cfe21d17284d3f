#pragma once
// One mesh of a CMeshScene in OpenGL buffer objects: its vertices
// (position, normal and texture coordinates interleaved) and its triangle
// indices, uploaded once after a load and drawn from every frame. Made,
// drawn and deleted by CMeshScene on the GUI thread, with the context that
// draws the scene current.

#include "models/mesh_model.h"

// Buffer names, 0 when none was made.
struct MeshBuffers
{
    unsigned int nVertices = 0;
    unsigned int nIndices = 0;
};

// Uploads the mesh. A context without buffer objects, or one that could
// not hold this mesh, gets none; the mesh is then drawn from its own arrays.
MeshBuffers UploadMesh(const MeshData& mesh);

// Draws the mesh's triangles with whatever material state is set, leaving
// the client arrays and buffer bindings as they were.
void DrawMesh(const MeshData& mesh, const MeshBuffers& buffers);

void DeleteMeshBuffers(MeshBuffers* pBuffers);
