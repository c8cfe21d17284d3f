#include "render/scene_3ds.h"

#include "models/safe_3ds_load.h"
#include "project/user_messages.h"

#include <GL/gl.h>
#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/node.h>

#include <algorithm>

namespace
{
// Numbering the file's lights from GL_LIGHT0 makes them real OpenGL lights
// for any caller that switches lighting on; the scene itself never does.
constexpr GLenum kFirstLight = GL_LIGHT0;
// OpenGL takes spot cut-offs of 0 to 90 degrees (or 180 for none).
constexpr float kMaxSpotCutoffDeg = 90.0f;
} // namespace

std::string ModelDirectory(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos)
        return "";
    return path.substr(0, separator) + "/";
}

C3dsScene::~C3dsScene()
{
    Unload();
}

bool C3dsScene::Load(const std::string& path)
{
    if (m_pFile)
        return false;
    m_strPath = path;
    m_strDirectory = ModelDirectory(path);

    CLoaded3ds loaded;
    if (!LoadChecked3ds(path, m_strDirectory, &loaded, &m_strLastError))
    {
        ShowMessage("Lib3ds: File NotFound (" + path + ")", "Error", MessageIcon::Exclamation);
        return false;
    }
    m_strLastError.clear();
    m_pFile = std::move(loaded.pFile);
    m_textureBytes = std::move(loaded.textureBytes);
    m_fFrame = 0.0f;
    lib3ds_file_eval(m_pFile.get(), m_fFrame);
    SetupLights();
    return true;
}

void C3dsScene::Unload()
{
    if (m_pFile)
    {
        for (Lib3dsNode* node = m_pFile->nodes; node; node = node->next)
            ReleaseLists(node);
        m_pFile.reset();
    }
    m_textureBytes.clear();
    ResetLights();
}

void C3dsScene::ReleaseLists(Lib3dsNode* pNode)
{
    for (Lib3dsNode* child = pNode->childs; child; child = child->next)
        ReleaseLists(child);
    if (pNode->user.d)
    {
        glDeleteLists(pNode->user.d, 1);
        pNode->user.d = 0;
    }
}

void C3dsScene::ResetLights()
{
    for (unsigned int light : m_lights)
        glDisable(light);
    m_lights.clear();
    m_nNextLight = -1;
}

void C3dsScene::SetupLights()
{
    GLint maxLights = 8;
    glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
    GLenum light = kFirstLight;
    for (Lib3dsLight* source = m_pFile->lights; source; source = source->next, ++light)
    {
        // Lights past the driver's last one have no OpenGL name to go to.
        if (light >= GLenum(GL_LIGHT0 + maxLights))
            continue;
        glEnable(light);
        m_lights.push_back(light);
        const GLfloat ambient[4] = {source->color[0], source->color[1], source->color[2], 1.0f};
        const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        const GLfloat position[4] = {source->position[0], source->position[1], source->position[2],
                                     1.0f};
        glLightfv(light, GL_AMBIENT, ambient);
        glLightfv(light, GL_DIFFUSE, black);
        glLightfv(light, GL_SPECULAR, black);
        glLightfv(light, GL_POSITION, position);
        if (source->spot_light)
        {
            const GLfloat direction[3] = {source->spot[0] - source->position[0],
                                          source->spot[1] - source->position[1],
                                          source->spot[2] - source->position[2]};
            glLightfv(light, GL_SPOT_DIRECTION, direction);
            glLightf(light, GL_SPOT_CUTOFF, std::clamp(source->hot_spot, 0.0f, kMaxSpotCutoffDeg));
        }
    }
    m_nNextLight = int(light);
}

bool C3dsScene::IsAnimated() const
{
    return m_pFile && m_pFile->frames > 0;
}

int C3dsScene::FrameCount() const
{
    return m_pFile ? int(m_pFile->frames) : 0;
}

ModelBox C3dsScene::Box() const
{
    return m_pFile ? Box3ds(*m_pFile) : ModelBox();
}

bool C3dsScene::NextFrame()
{
    if (!m_pFile)
        return false;
    ResetLights();
    bool bWrapped = false;
    m_fFrame += 1.0f;
    if (m_fFrame > float(m_pFile->frames))
    {
        m_fFrame = 0.0f;
        bWrapped = true;
    }
    SetupLights();
    lib3ds_file_eval(m_pFile.get(), m_fFrame);
    return bWrapped;
}
