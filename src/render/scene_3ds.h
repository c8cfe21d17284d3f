#pragma once
// A loaded 3DS file and its drawing resources: one display list per mesh
// node, built the first time the node is drawn and kept in the node's user
// word; the textures its materials name, loaded once per name and kept
// across Unload; the lights it enabled; and the current animation frame.
// Owned by value by CModel3D. GUI thread only, with the OpenGL context that
// draws it current for everything except a failed Load.

#include "formats/memory_io_3ds.h"
#include "render/texture.h"

#include <list>
#include <map>
#include <string>

struct Lib3dsFace;
struct Lib3dsMesh;
struct Lib3dsNode;

class C3dsScene
{
  public:
    C3dsScene() = default;
    ~C3dsScene();
    C3dsScene(const C3dsScene&) = delete;
    C3dsScene& operator=(const C3dsScene&) = delete;

    // Loads the file behind the checker and the probe. False when a file is
    // already loaded (nothing changes, no message) and when the file is
    // missing, unreadable or refused (a message names it).
    bool Load(const std::string& path);
    // Forgets the file and its display lists; the textures stay.
    void Unload();
    void Render();
    // One animation step; true when the frame wrapped back to 0.
    bool NextFrame();

    bool IsLoaded() const { return m_pFile != nullptr; }
    const Lib3dsFile* File() const { return m_pFile.get(); }
    float Frame() const { return m_fFrame; }
    // Loaded with keyframes to play, so animation steps change the picture.
    bool IsAnimated() const;
    const std::string& Directory() const { return m_strDirectory; }
    // Why the last Load failed, for the command line and the logs.
    const std::string& LastError() const { return m_strLastError; }
    size_t TextureCount() const { return m_textures.size(); }

  private:
    void SetupLights();
    void ResetLights();
    void RenderNode(Lib3dsNode* pNode);
    unsigned int BuildList(Lib3dsMesh* pMesh);
    void LoadTextures(const Lib3dsMesh* pMesh);
    void SetupFaceMaterial(const Lib3dsFace& face);
    void ReleaseLists(Lib3dsNode* pNode);

    std::string m_strPath;
    std::string m_strDirectory;
    Unique3dsFile m_pFile;
    float m_fFrame = 0.0f;
    std::map<std::string, CTexture> m_textures;
    // Probed bytes of the textures the loaded file names, until loaded.
    std::map<std::string, std::string> m_textureBytes;
    std::list<unsigned int> m_lights;
    int m_nNextLight = -1;
    std::string m_strLastError;
};

// The directory part of a model path, with a trailing '/', in which the
// textures are looked for: empty for a bare name, "/" for a file at the root.
// Both '/' and '\' separate, since project files may come from Windows.
std::string ModelDirectory(const std::string& path);
