#pragma once
// Pose of a detected marker: the rigid transform [R | t] (row-major 3 x 4)
// from the marker's frame (centre `center`, side `width`) to the camera.

#include "tracking/marker_info.h"

// Mean squared reprojection error in pixels^2, or a negative value when no
// pose could be estimated (the out transform is then left unchanged).
double estimateMarkerTransform(const MarkerInfo& marker, const double center[2], double width,
                               double transform[3][4]);
// Refines `previous` (may be the same array as `transform`) and also makes a
// fresh estimate; returns whichever fits the corners better.
double estimateMarkerTransformCont(const MarkerInfo& marker, const double previous[3][4],
                                   const double center[2], double width, double transform[3][4]);
