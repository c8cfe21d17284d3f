// Drawing a loaded 3DS scene: the node tree, one display list per mesh node,
// the face materials and the textures they name.

#include "render/scene_3ds.h"

#include <GL/gl.h>
#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace
{
// A dummy groups its children and has no geometry of its own; the name is
// compared with its terminator, so "$$$DUMMY2" is an ordinary node.
constexpr char kDummyName[] = "$$$DUMMY";
constexpr float kThird = 0.33333334f;
constexpr float kMaxShininess = 128.0f;

const GLfloat kDefaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
const GLfloat kDefaultDiffuse[4] = {0.8f, 0.2f, 0.1f, 1.0f};
const GLfloat kDefaultSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};

bool FaceIsDrawable(const Lib3dsFace& face, const Lib3dsMesh& mesh)
{
    return face.points[0] < mesh.points && face.points[1] < mesh.points &&
           face.points[2] < mesh.points;
}

Lib3dsMaterial* FaceMaterial(Lib3dsFile* pFile, const Lib3dsFace& face)
{
    if (!face.material[0])
        return nullptr;
    return lib3ds_file_material_by_name(pFile, face.material);
}
} // namespace

void C3dsScene::Render()
{
    if (!m_pFile)
        return;
    for (Lib3dsNode* node = m_pFile->nodes; node; node = node->next)
        RenderNode(node);
}

void C3dsScene::RenderNode(Lib3dsNode* pNode)
{
    for (Lib3dsNode* child = pNode->childs; child; child = child->next)
        RenderNode(child);
    // Only object nodes carry geometry: the pivot below lives in the
    // object part of the node's data, which other node kinds use otherwise.
    if (pNode->type != LIB3DS_OBJECT_NODE ||
        std::memcmp(pNode->name, kDummyName, sizeof kDummyName) == 0)
        return;

    if (!pNode->user.d)
    {
        Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(m_pFile.get(), pNode->name);
        if (!mesh)
            return;
        pNode->user.d = BuildList(mesh);
        if (!pNode->user.d)
            return;
    }

    const Lib3dsVector& pivot = pNode->data.object.pivot;
    glPushMatrix();
    glMultMatrixf(&pNode->matrix[0][0]);
    glTranslatef(-pivot[0], -pivot[1], -pivot[2]);
    glCallList(pNode->user.d);
    glPopMatrix();
}

unsigned int C3dsScene::BuildList(Lib3dsMesh* pMesh)
{
    // Textures are created before the list is opened: a texture upload
    // made while compiling would be recorded into the list and repeated on
    // every call instead of creating the texture once.
    LoadTextures(pMesh);

    const GLuint list = glGenLists(1);
    if (!list)
        return 0;
    glNewList(list, GL_COMPILE);

    Lib3dsMatrix inverse;
    lib3ds_matrix_copy(inverse, pMesh->matrix);
    lib3ds_matrix_inv(inverse);
    glMultMatrixf(&inverse[0][0]);

    // lib3ds follows every face's point indices when it smooths normals; a
    // mesh with a face past its points keeps the flat face normals instead.
    std::vector<Lib3dsVector> normals(size_t(pMesh->faces) * 3 + 1);
    const bool bAllDrawable =
        std::all_of(pMesh->faceL, pMesh->faceL + pMesh->faces,
                    [pMesh](const Lib3dsFace& face) { return FaceIsDrawable(face, *pMesh); });
    if (bAllDrawable)
        lib3ds_mesh_calculate_normals(pMesh, normals.data());
    else
        for (size_t k = 0; k < size_t(pMesh->faces) * 3; ++k)
            std::memcpy(normals[k], pMesh->faceL[k / 3].normal, sizeof(Lib3dsVector));

    for (Lib3dsDword k = 0; k < pMesh->faces; ++k)
    {
        const Lib3dsFace& face = pMesh->faceL[k];
        if (!FaceIsDrawable(face, *pMesh))
            continue;
        SetupFaceMaterial(face);
        const Lib3dsMaterial* material = FaceMaterial(m_pFile.get(), face);
        const bool bTextured = pMesh->texels > 0 && material;
        if (bTextured)
        {
            // Texture state may not change between glBegin and glEnd.
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        }
        glBegin(GL_TRIANGLES);
        glNormal3fv(face.normal);
        for (int corner = 0; corner < 3; ++corner)
        {
            const Lib3dsWord point = face.points[corner];
            glNormal3fv(normals[size_t(k) * 3 + corner]);
            if (bTextured && point < pMesh->texels)
                glTexCoord2f(pMesh->texelL[point][0] * material->texture1_map.scale[0],
                             pMesh->texelL[point][1] * material->texture1_map.scale[1]);
            glVertex3fv(pMesh->pointL[point].pos);
        }
        glEnd();
    }
    glEndList();
    return list;
}

void C3dsScene::LoadTextures(const Lib3dsMesh* pMesh)
{
    for (Lib3dsDword k = 0; k < pMesh->faces; ++k)
    {
        const Lib3dsMaterial* material = FaceMaterial(m_pFile.get(), pMesh->faceL[k]);
        if (!material || !material->texture1_map.name[0])
            continue;
        const std::string name = material->texture1_map.name;
        if (m_textures.count(name))
            continue;
        const auto bytes = m_textureBytes.find(name);
        m_textures[name].Load(name, bytes == m_textureBytes.end() ? std::string() : bytes->second);
    }
}

void C3dsScene::SetupFaceMaterial(const Lib3dsFace& face)
{
    const Lib3dsMaterial* material = FaceMaterial(m_pFile.get(), face);
    if (!material)
    {
        glMaterialfv(GL_FRONT, GL_AMBIENT, kDefaultAmbient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, kDefaultDiffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, kDefaultSpecular);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1.0f, 1.0f, 1.0f);
        return;
    }

    if (material->texture1_map.name[0])
    {
        const auto texture = m_textures.find(material->texture1_map.name);
        if (texture != m_textures.end())
            texture->second.Bind();
        glDisable(GL_COLOR_MATERIAL);
        glEnable(GL_TEXTURE_2D);
    }
    else
    {
        glEnable(GL_COLOR_MATERIAL);
        glDisable(GL_TEXTURE_2D);
    }

    GLfloat colour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    for (int channel = 0; channel < 3; ++channel)
        colour[channel] = (material->ambient[channel] + material->diffuse[channel] +
                           material->specular[channel]) *
                          kThird;
    glColor4fv(colour);
    glMaterialfv(GL_FRONT, GL_AMBIENT, material->ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, material->diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, material->specular);
    glMaterialf(GL_FRONT, GL_SHININESS,
                std::min(std::pow(2.0f, 10.0f * material->shininess), kMaxShininess));
}
