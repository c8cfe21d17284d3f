#pragma once
// A 3DS file placed on a tracker by a 4 x 4 matrix. Owned by value by
// CTracker::m_models.

#include "model/matrix.h"

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

    // Advances the keyframe animation; true when it wrapped to frame 0.
    bool NextFrame() { return false; }

    std::string m_strName;
    std::string m_strFile;
    CMatrix m_matrix;
};
