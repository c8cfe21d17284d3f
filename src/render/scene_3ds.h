#pragma once
// A loaded 3DS file and its drawing resources: one display list per mesh
// node, built the first time the node is drawn and kept in the node's user
// word; the textures its materials name, loaded once per name and kept
// across Unload; the lights it enabled; and the current animation frame.
// Owned by value by CModel3D. GUI thread only, with the OpenGL context that
// draws it current for everything except a failed Load.

#include "models/memory_io_3ds.h"
#include "render/scene.h"
#include "render/texture.h"

#include <list>
#include <map>
#include <string>

struct Lib3dsFace;
struct Lib3dsMesh;
struct Lib3dsNode;

class C3dsScene : public CScene
{
  public:
    C3dsScene() = default;
    ~C3dsScene();
    C3dsScene(const C3dsScene&) = delete;
    C3dsScene& operator=(const C3dsScene&) = delete;

    // Loads the file behind the checker and the probe.
    bool Load(const std::string& path) override;
    void Unload() override;
    void Render() override;
    bool NextFrame() override;

    bool IsLoaded() const override { return m_pFile != nullptr; }
    const Lib3dsFile* File() const { return m_pFile.get(); }
    float Frame() const { return m_fFrame; }
    bool IsAnimated() const override;
    int FrameCount() const override;
    ModelBox Box() const override;
    size_t TextureCount() const override { return m_textures.size(); }

  private:
    void SetupLights();
    void ResetLights();
    void RenderNode(Lib3dsNode* pNode);
    unsigned int BuildList(Lib3dsMesh* pMesh);
    void LoadTextures(const Lib3dsMesh* pMesh);
    void SetupFaceMaterial(const Lib3dsFace& face);
    void ReleaseLists(Lib3dsNode* pNode);

    std::string m_strPath;
    Unique3dsFile m_pFile;
    float m_fFrame = 0.0f;
    std::map<std::string, CTexture> m_textures;
    // Probed bytes of the textures the loaded file names, until loaded.
    std::map<std::string, std::string> m_textureBytes;
    std::list<unsigned int> m_lights;
    int m_nNextLight = -1;
};
