// Drawing a CMeshScene: opaque and masked meshes first, then blended ones
// over them, each mesh at its node's pose from its buffers, its material
// state set around it.

#include "render/mesh_scene.h"

#include <GL/gl.h>

#include <algorithm>

namespace
{
// A dielectric reflects about 4 % of the light at normal incidence.
constexpr float kDielectricSpecular = 0.04f;
constexpr float kMaxShininess = 128.0f;
const MeshMaterial kDefaultMaterial;

// The determinant of the upper left 3 x 3 of a column-major 4 x 4 matrix.
double Determinant3(const float* m)
{
    return double(m[0]) * (double(m[5]) * m[10] - double(m[9]) * m[6]) -
           double(m[4]) * (double(m[1]) * m[10] - double(m[9]) * m[2]) +
           double(m[8]) * (double(m[1]) * m[6] - double(m[5]) * m[2]);
}

double Determinant4(const GLdouble* m)
{
    double det = 0.0;
    for (int column = 0; column < 4; ++column)
    {
        // The 3 x 3 minor without row 0 and this column, laid out in the
        // upper left of a 4 x 4 as Determinant3 reads it.
        float minor[16] = {};
        int k = 0;
        for (int c = 0; c < 4; ++c)
        {
            if (c == column)
                continue;
            for (int row = 1; row < 4; ++row)
                minor[k * 4 + row - 1] = float(m[c * 4 + row]);
            ++k;
        }
        const double sign = column % 2 ? -1.0 : 1.0;
        det += sign * m[column * 4] * Determinant3(minor);
    }
    return det;
}

// The sign of the whole projective map's determinant tells whether the
// window shows the model mirrored; OpenGL's own projections have a
// negative one, so a positive one turns which winding faces the viewer.
bool ViewIsMirrored()
{
    GLdouble projection[16];
    GLdouble modelview[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    return Determinant4(projection) * Determinant4(modelview) > 0.0;
}
} // namespace

void CMeshScene::Render()
{
    if (!m_bLoaded)
        return;
    if (!m_bResourcesMade)
        MakeDrawingResources();
    const bool bMirrored = ViewIsMirrored();
    for (const bool bBlended : {false, true})
        for (size_t n = 0; n < m_model.nodes.size(); ++n)
            for (int mesh : m_model.nodes[n].meshes)
            {
                const MeshData& data = m_model.meshes[size_t(mesh)];
                const bool bBlendedMesh =
                    data.nMaterial >= 0 &&
                    m_model.materials[size_t(data.nMaterial)].alphaMode == AlphaMode::Blend;
                if (bBlendedMesh != bBlended)
                    continue;
                const bool bFlipped = (Determinant3(m_world[n].data()) < 0.0) != bMirrored;
                glFrontFace(bFlipped ? GL_CW : GL_CCW);
                glPushMatrix();
                glMultMatrixf(m_world[n].data());
                glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT |
                             GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
                SetupMaterial(data.nMaterial);
                DrawMesh(data, m_buffers[size_t(mesh)]);
                glPopAttrib();
                glPopMatrix();
            }
    glFrontFace(GL_CCW);
}

void CMeshScene::MakeDrawingResources()
{
    for (const auto& [name, bytes] : m_model.textures)
        if (!m_textures[name].IsLoaded())
            m_textures[name].Load(name, bytes);
    for (size_t k = 0; k < m_model.meshes.size(); ++k)
        m_buffers[k] = UploadMesh(m_model.meshes[k]);
    m_bResourcesMade = true;
}

void CMeshScene::SetupMaterial(int nMaterial)
{
    const MeshMaterial& material =
        nMaterial >= 0 ? m_model.materials[size_t(nMaterial)] : kDefaultMaterial;
    const float* base = material.baseColour.data();
    const float metal = std::clamp(material.fMetallic, 0.0f, 1.0f);
    const float gloss = 1.0f - std::clamp(material.fRoughness, 0.0f, 1.0f);
    GLfloat diffuse[4];
    GLfloat specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    for (int c = 0; c < 3; ++c)
    {
        diffuse[c] = base[c] * (1.0f - metal);
        specular[c] = (kDielectricSpecular + (base[c] - kDielectricSpecular) * metal) * gloss;
    }
    diffuse[3] = base[3];
    glDisable(GL_COLOR_MATERIAL);
    glColor4fv(base);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, kMaxShininess * gloss * gloss);

    const auto texture =
        material.strTexture.empty() ? m_textures.end() : m_textures.find(material.strTexture);
    if (texture != m_textures.end() && texture->second.Name())
    {
        glEnable(GL_TEXTURE_2D);
        texture->second.Bind();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    else
        glDisable(GL_TEXTURE_2D);

    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    if (material.alphaMode == AlphaMode::Mask)
    {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GEQUAL, material.fAlphaCutoff);
    }
    else if (material.alphaMode == AlphaMode::Blend)
    {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        // Blended surfaces do not hide what lies behind them.
        glDepthMask(GL_FALSE);
    }

    if (material.bDoubleSided)
    {
        glDisable(GL_CULL_FACE);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    }
    else
    {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    }
}
