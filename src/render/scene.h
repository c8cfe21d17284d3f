#pragma once
// What every loaded model file offers the views, whatever its format: load
// and unload, draw into the current context, step the animation on the
// editor's timer, and say why a load failed. C3dsScene reads 3DS files
// through lib3ds, CMeshScene the formats assimp reads. Owned by CModel3D;
// GUI thread only, with the drawing context current except for a failed
// Load.

#include "models/mesh_pose.h"

#include <string>

class CScene
{
  public:
    virtual ~CScene() = default;

    // False when a file is already loaded (nothing changes, no message) and
    // when the file is missing, unreadable or refused (a message names it).
    virtual bool Load(const std::string& path) = 0;
    // Forgets the file and its display lists or buffers; the textures stay.
    virtual void Unload() = 0;
    virtual void Render() = 0;
    // One step of the editor's animation timer; true when the animation
    // wrapped back to its first frame.
    virtual bool NextFrame() = 0;

    virtual bool IsLoaded() const = 0;
    // Loaded with an animation to play, so steps change the picture.
    virtual bool IsAnimated() const = 0;
    // The last frame; the animation runs 0, 1, ..., FrameCount, 0, ...
    virtual int FrameCount() const = 0;
    // The box around the model at rest, in the file's own units.
    virtual ModelBox Box() const = 0;
    // Meshes drawn in their bind pose although bones would move them.
    virtual bool IsSkinned() const { return false; }
    virtual size_t TextureCount() const = 0;

    const std::string& Directory() const { return m_strDirectory; }
    // Why the last Load failed, for the command line and the logs.
    const std::string& LastError() const { return m_strLastError; }

  protected:
    std::string m_strDirectory;
    std::string m_strLastError;
};

// The directory part of a model path, with a trailing '/', in which the
// textures are looked for: empty for a bare name, "/" for a file at the root.
// Both '/' and '\' separate, since project files may come from Windows.
std::string ModelDirectory(const std::string& path);
