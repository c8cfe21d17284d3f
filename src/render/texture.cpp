#include "render/texture.h"

#include "imaging/image_io.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
// The header declares its OpenGL part only on request.
#define ILUT_USE_OPENGL
#include <IL/ilut.h>

namespace
{
int g_nLoads = 0;

void EnsureOpenGlImageLibrary()
{
    static bool s_bInitialised = false;
    if (s_bInitialised)
        return;
    EnsureImageLibrary();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    s_bInitialised = true;
}
} // namespace

CTexture::~CTexture()
{
    if (m_bLoaded && m_nName)
        glDeleteTextures(1, &m_nName);
}

bool CTexture::Load(const std::string& name, const std::string& bytes)
{
    EnsureOpenGlImageLibrary();
    ++g_nLoads;
    if (m_bLoaded && m_nName)
        glDeleteTextures(1, &m_nName);
    m_bLoaded = true;
    m_nName = 0;

    TextureHeader header;
    if (bytes.empty() || !SniffImage(bytes, name, &header))
        return true;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (DecodeImage(bytes, header))
        m_nName = ilutGLBindTexImage();
    ilDeleteImages(1, &image);
    return true;
}

void CTexture::Bind() const
{
    if (m_bLoaded)
        glBindTexture(GL_TEXTURE_2D, m_nName);
}

int CTexture::LoadsSoFar()
{
    return g_nLoads;
}
