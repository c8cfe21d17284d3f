#include "render/mesh_buffers.h"

// Buffer objects are core since OpenGL 1.5; the library exports them.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>

namespace
{
// Position, normal and texture coordinates of a vertex side by side, so the
// vertex stage reads one stretch of memory per vertex.
constexpr size_t kPositionFloats = 3;
constexpr size_t kNormalFloats = 3;
constexpr size_t kUvFloats = 2;

size_t VertexFloats(const MeshData& mesh)
{
    return kPositionFloats + kNormalFloats + (mesh.uvs.empty() ? 0 : kUvFloats);
}

std::vector<float> Interleaved(const MeshData& mesh)
{
    const size_t count = mesh.positions.size() / kPositionFloats;
    std::vector<float> vertices;
    vertices.reserve(count * VertexFloats(mesh));
    for (size_t k = 0; k < count; ++k)
    {
        const float* position = &mesh.positions[k * kPositionFloats];
        const float* normal = &mesh.normals[k * kNormalFloats];
        vertices.insert(vertices.end(), position, position + kPositionFloats);
        vertices.insert(vertices.end(), normal, normal + kNormalFloats);
        if (!mesh.uvs.empty())
        {
            const float* uv = &mesh.uvs[k * kUvFloats];
            vertices.insert(vertices.end(), uv, uv + kUvFloats);
        }
    }
    return vertices;
}

// Fills a new buffer; 0 when it could not be made or did not take all the
// bytes (out of memory leaves it empty, and drawing from it would read
// nothing the mesh holds).
GLuint FilledBuffer(GLenum target, const void* data, size_t bytes)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    if (!buffer)
        return 0;
    glBindBuffer(target, buffer);
    glBufferData(target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
    GLint size = 0;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    if (size_t(size) != bytes)
    {
        glDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}
} // namespace

MeshBuffers UploadMesh(const MeshData& mesh)
{
    MeshBuffers buffers;
    if (mesh.indices.empty())
        return buffers;
    const std::vector<float> vertices = Interleaved(mesh);
    // The buffer bindings belong to the client vertex array state.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    buffers.nVertices =
        FilledBuffer(GL_ARRAY_BUFFER, vertices.data(), vertices.size() * sizeof(float));
    buffers.nIndices = FilledBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indices.data(),
                                    mesh.indices.size() * sizeof(unsigned int));
    glPopClientAttrib();
    if (!buffers.nVertices || !buffers.nIndices)
        DeleteMeshBuffers(&buffers);
    return buffers;
}

void DrawMesh(const MeshData& mesh, const MeshBuffers& buffers)
{
    if (mesh.indices.empty())
        return;
    const bool bBuffered = buffers.nVertices != 0;
    const bool bTextured = !mesh.uvs.empty();
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    if (bTextured)
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    if (bBuffered)
    {
        // Offsets into the bound buffers stand where client pointers would.
        const GLsizei stride = GLsizei(VertexFloats(mesh) * sizeof(float));
        const auto offset = [](size_t floats)
        { return reinterpret_cast<const void*>(std::uintptr_t(floats * sizeof(float))); };
        glBindBuffer(GL_ARRAY_BUFFER, buffers.nVertices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.nIndices);
        glVertexPointer(3, GL_FLOAT, stride, offset(0));
        glNormalPointer(GL_FLOAT, stride, offset(kPositionFloats));
        if (bTextured)
            glTexCoordPointer(2, GL_FLOAT, stride, offset(kPositionFloats + kNormalFloats));
        glDrawElements(GL_TRIANGLES, GLsizei(mesh.indices.size()), GL_UNSIGNED_INT, offset(0));
    }
    else
    {
        glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
        glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
        if (bTextured)
            glTexCoordPointer(2, GL_FLOAT, 0, mesh.uvs.data());
        glDrawElements(GL_TRIANGLES, GLsizei(mesh.indices.size()), GL_UNSIGNED_INT,
                       mesh.indices.data());
    }
    glPopClientAttrib();
}

void DeleteMeshBuffers(MeshBuffers* pBuffers)
{
    if (pBuffers->nVertices)
        glDeleteBuffers(1, &pBuffers->nVertices);
    if (pBuffers->nIndices)
        glDeleteBuffers(1, &pBuffers->nIndices);
    *pBuffers = MeshBuffers();
}
