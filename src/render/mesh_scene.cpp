#include "render/mesh_scene.h"

#include "models/mesh_from_3ds.h"
#include "project/user_messages.h"

CMeshScene::~CMeshScene()
{
    Unload();
}

bool CMeshScene::Load(const std::string& path)
{
    if (m_bLoaded)
        return false;
    m_strDirectory = ModelDirectory(path);
    CMeshModel model;
    if (!LoadAnyModelAsMesh(path, m_strDirectory, &model, &m_strLastError))
    {
        ShowMessage("Assimp: " + m_strLastError + " (" + path + ")", "Error",
                    MessageIcon::Exclamation);
        return false;
    }
    m_strLastError.clear();
    m_model = std::move(model);
    m_bLoaded = true;
    m_nFrame = 0;
    m_buffers.assign(m_model.meshes.size(), MeshBuffers());
    m_bResourcesMade = false;
    PoseAtFrame();
    return true;
}

void CMeshScene::Unload()
{
    for (MeshBuffers& buffers : m_buffers)
        DeleteMeshBuffers(&buffers);
    m_buffers.clear();
    m_bResourcesMade = false;
    m_world.clear();
    m_model = CMeshModel();
    m_bLoaded = false;
}

bool CMeshScene::IsAnimated() const
{
    return m_bLoaded && FrameCount() > 0;
}

int CMeshScene::FrameCount() const
{
    return AnimationFrames(m_model);
}

ModelBox CMeshScene::Box() const
{
    return MeshModelBox(m_model);
}

bool CMeshScene::NextFrame()
{
    if (!m_bLoaded)
        return false;
    bool bWrapped = false;
    if (++m_nFrame > FrameCount())
    {
        m_nFrame = 0;
        bWrapped = true;
    }
    PoseAtFrame();
    return bWrapped;
}

void CMeshScene::PoseAtFrame()
{
    m_world = WorldPose(m_model, LocalPose(m_model, m_nFrame * kAnimationFrameSec));
}
