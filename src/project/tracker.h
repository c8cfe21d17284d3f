#pragma once
// A rigid group of square markers and the 3D models that ride on them. The
// document owns trackers by value in a std::list; the lists inside keep
// their addresses, since the run's registry points into them.

#include "project/matrix.h"
#include "project/model3d.h"
#include "project/pattern.h"
#include "project/pattern_relation.h"

#include <list>
#include <map>
#include <string>
#include <vector>

class CArchive;
class CPatternState;

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
    // The reference pattern's printed width; 0 without a reference.
    double ReferenceWidth() const { return HasReference() ? m_posReference->m_nWidth : 0.0; }
    // Zero-based position of the reference pattern; the pattern count when
    // there is none (the stored form).
    int ReferenceIndex() const;
    // Stored form back to a position: <= 0 is the first pattern, at or past
    // the count is none.
    void SetReferenceIndex(int index);

    // The relation graph of a live run: nodes are the patterns in list
    // order and, last, the camera. Built when the registry has given the
    // patterns their slots; released whenever the trackers change.
    void BuildRelations();
    void ReleaseRelations();
    void BeginFrame();
    // Records the camera relation of a matched pattern and, with
    // `recordRelations`, its relations to the patterns already seen in this
    // frame. A pattern not `seenNow` (a record kept from a recent frame) only
    // gives the camera relation, at half its confidence, so a fresh sighting
    // of another pattern of the tracker leads the pose when there is one.
    void AddObservation(CPatternState* state, bool recordRelations, bool seenNow = true);
    // Best-first search from the reference pattern to the camera; sets
    // m_bFound and, when found, m_pose.
    void ComputePose();

    CPatternRelation& Relation(int to, int from) { return m_relations[to * m_nNodes + from]; }

    std::string m_strName;
    std::list<CPattern> m_patterns;
    std::list<CModel3D> m_models;
    std::list<CPattern>::iterator m_posReference; // m_patterns.end() for none
    bool m_bFound = false;
    CMatrix m_pose; // reference pattern's frame (x mirrored) to camera

    int m_nNodes = 0;                 // patterns + 1 once built, else 0
    std::map<int, int> m_idToIndex;   // library slot to node index
    int m_nReference = -1;            // node of the reference pattern
    // Row-major n x n: [to][from] maps node `from`'s frame into node `to`'s.
    std::vector<CPatternRelation> m_relations;
    std::vector<CPatternState*> m_observations; // this frame's, not owned
};
