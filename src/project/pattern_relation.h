#pragma once
// One known transform between two nodes of a tracker's relation graph
// (patterns and the camera), with the trust it deserves.

#include "project/matrix.h"

class CPatternRelation
{
public:
    void Set(const CMatrix& matrix, float weight)
    {
        m_bValid = true;
        m_fWeight = weight;
        m_matrix = matrix;
    }
    void Clear() { m_bValid = false; }

    bool m_bValid = false;
    float m_fWeight = 0.0f;
    CMatrix m_matrix;
};
