#pragma once
// A glTF, GLB, OBJ, FBX or Collada model (or a 3DS file copied into a mesh
// model; the program draws those through C3dsScene) and its drawing
// resources: each mesh's vertex and index buffers and the textures its
// materials name, made the first time it is drawn; the pose of its nodes at
// the current frame of the editor's 100 ms animation timer. Owned by
// CModel3D through CScene.
//
// The fixed pipeline has no metallic-roughness shading, so materials are
// approximated: unlit, a surface shows its base colour (times its
// texture); for callers that switch lighting on, the diffuse colour is the
// base colour darkened by metalness, the specular colour blends from 4 %
// grey (a dielectric's reflectance) to the base colour by metalness and
// fades with roughness, and the shininess falls from 128 with roughness.

#include "models/mesh_model.h"
#include "render/mesh_buffers.h"
#include "render/scene.h"
#include "render/texture.h"

#include <map>
#include <vector>

class CMeshScene : public CScene
{
  public:
    CMeshScene() = default;
    ~CMeshScene() override;
    CMeshScene(const CMeshScene&) = delete;
    CMeshScene& operator=(const CMeshScene&) = delete;

    bool Load(const std::string& path) override;
    void Unload() override;
    void Render() override;
    bool NextFrame() override;

    bool IsLoaded() const override { return m_bLoaded; }
    bool IsAnimated() const override;
    int FrameCount() const override;
    ModelBox Box() const override;
    bool IsSkinned() const override { return m_model.IsSkinned(); }
    size_t TextureCount() const override { return m_textures.size(); }

    const CMeshModel& Model() const { return m_model; }
    int Frame() const { return m_nFrame; }

  private:
    void PoseAtFrame();
    void MakeDrawingResources();
    void SetupMaterial(int nMaterial);

    bool m_bLoaded = false;
    CMeshModel m_model;
    int m_nFrame = 0;
    std::vector<Matrix4f> m_world;
    // One per mesh, made with the textures on the first draw after a load.
    std::vector<MeshBuffers> m_buffers;
    bool m_bResourcesMade = false;
    std::map<std::string, CTexture> m_textures;
};
