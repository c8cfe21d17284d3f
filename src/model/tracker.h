#pragma once
// A rigid group of square markers and the 3D models that ride on them. The
// document owns trackers by value in a std::list; the lists inside keep
// their addresses, since the run's registry points into them.

#include "model/matrix.h"
#include "model/model3d.h"
#include "model/pattern.h"

#include <list>
#include <string>

class CArchive;

class CTracker
{
public:
    CTracker();
    CTracker(const CTracker& other);
    virtual ~CTracker();

    CTracker& operator=(const CTracker& other);
    // Configuration and last result; the reference follows onto the copied
    // pattern. A copy never carries relation structures.
    virtual void Copy(const CTracker& other);
    virtual void Serialize(CArchive& ar);

    bool HasReference() const { return m_posReference != m_patterns.end(); }
    // Zero-based position of the reference pattern; the pattern count when
    // there is none (the stored form).
    int ReferenceIndex() const;
    // Stored form back to a position: <= 0 is the first pattern, at or past
    // the count is none.
    void SetReferenceIndex(int index);

    void ReleaseRelations() {}
    // Reloads every model from its file, in list order.
    void ReloadModels();

    std::string m_strName;
    std::list<CPattern> m_patterns;
    std::list<CModel3D> m_models;
    std::list<CPattern>::iterator m_posReference; // m_patterns.end() for none
    bool m_bFound = false;
    CMatrix m_pose; // reference pattern's frame (x mirrored) to camera
};
