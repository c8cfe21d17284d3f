#pragma once
// Third stage of detection: does a closed contour split into four straight
// sides, and where are its corners?

#include "tracking/detection_state.h"

constexpr int kMaxVertexList = 6;

// Sets candidate.vertex to the contour indices of corners 0..3 (corner 0 is
// contour point 0) and the closing point; 0, or -1 when the contour is not a
// quadrilateral. A point counts as a corner when its squared distance from
// the chord exceeds area * 4/3 * factor / 100 px^2.
int checkSquare(Candidate& candidate, int area, double factor);

// Recursively collects into list (count entries, at most kMaxVertexList) the
// contour indices strictly between st and ed that lie farther than
// `threshold` (squared px) from the chords; -1 when there are too many.
int findVertices(const int* x, const int* y, int st, int ed, double threshold, int* list,
                 int& count);
