#pragma once
// Fourth stage of detection: straight edge lines through each side of a
// candidate's contour, in ideal (undistorted) coordinates, and the corners
// where they meet.

#include "tracking/detection_state.h"
#include "tracking/edge_refine.h"

// Fits line[i] (a*x + b*y + c = 0) to the side between corners i and i+1,
// leaving out 5% at each end where the corner rounds the side off, and sets
// vertex[i] to the crossing of lines i-1 and i. A side is fitted through its
// sub-pixel edge points in `frame` where they are found, else through the
// contour (frame.pixels may be null for the contour alone). `scratch` holds the
// undistorted points between calls. 0, or -1 when a side has fewer than two
// points or two neighbouring lines are parallel.
int fitMarkerLines(const Candidate& candidate, const EdgeFrame& frame, const double distFactor[4],
                   std::vector<double>& scratch, double line[4][3], double vertex[4][2]);
