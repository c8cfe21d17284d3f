#pragma once
// A 3DS file placed on a tracker by a 4 x 4 matrix. Owned by value by
// CTracker::m_models; GUI thread only. Its scene is never saved nor copied:
// a copy must be reloaded before it draws anything.

#include "model/matrix.h"
#include "model/scene_3ds.h"

#include <string>

class CArchive;

class CModel3D
{
  public:
    CModel3D() = default;
    CModel3D(const CModel3D& other) { Copy(other); }
    virtual ~CModel3D() = default;

    CModel3D& operator=(const CModel3D& other);
    // Copies name, file and matrix; a copy has no loaded scene.
    virtual void Copy(const CModel3D& other);
    virtual void Serialize(CArchive& ar);

    // Loads m_strFile into the scene; a file that is missing or refused
    // shows two messages and leaves the model drawing nothing.
    bool Load();
    void Reload();
    // The caller has the tracker's frame on the modelview stack.
    void Draw();
    // Advances the keyframe animation; true when it wrapped to frame 0.
    bool NextFrame() { return m_scene.NextFrame(); }

    std::string m_strName;
    std::string m_strFile;
    CMatrix m_matrix;
    C3dsScene m_scene;
};
