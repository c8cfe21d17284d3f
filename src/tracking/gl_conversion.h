#pragma once
// Camera parameters and marker transforms as OpenGL matrices: 16 doubles,
// column-major (element (r, c) at r + 4c), ready for glLoadMatrixd. Pure
// arithmetic, no GL context needed.

#include "tracking/camera_param.h"

// The live view's clip planes, in millimetres (the unit of marker widths
// and so of every pose).
constexpr double kLiveNearPlane = 1.0;
constexpr double kLiveFarPlane = 5000.0;

// Projection that makes geometry rendered in the camera frame line up with
// the video image of cparam's size. The image y axis is not flipped here.
void convertToGlProjection(const CameraParam& cparam, double nearPlane, double farPlane,
                           double m[16]);

// The 3 x 4 transform [R | t] from a marker's frame to the camera as a 4 x 4
// model-view matrix.
void convertToGlModelview(const double para[3][4], double m[16]);
