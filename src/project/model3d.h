#pragma once
// A model file (3DS, glTF, GLB, OBJ, FBX or Collada) placed on a tracker by a 4 x 4 matrix. Owned by value by
// CTracker::m_models; GUI thread only. Its scene (render/model_scene.h) is
// never saved nor copied: a copy must be reloaded before it draws anything.

#include "project/matrix.h"

#include <memory>
#include <string>

class CScene;
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

    std::string m_strName;
    std::string m_strFile;
    CMatrix m_matrix;
    // Made, loaded and drawn by the render library; shared with nobody, so
    // it goes with the model.
    std::shared_ptr<CScene> m_pScene;
};
