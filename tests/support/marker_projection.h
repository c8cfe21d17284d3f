#pragma once
// Detected-marker records made by projecting a marker at a known pose
// through an ideal pinhole camera, for tests that need exact poses without
// rendering a frame.

#include "tracking/camera_param.h"
#include "tracking/marker_info.h"

// A 640 x 480 pinhole camera without distortion, focal length 600 px.
CameraParam PinholeCamera();

// Makes `camera` the tracking library's current camera.
void UseCamera(const CameraParam& camera);

// The record detection would give for a square of side `width` centred on
// the marker origin, seen at `pose` (marker to camera, row-major 3 x 4) and
// matched in orientation `dir`.
MarkerInfo ProjectMarker(const CameraParam& camera, const double pose[3][4], double width, int dir,
                         int id, double cf);

// A pose facing the camera at distance `distance`, turned by `angleDeg`
// about the camera's x axis and shifted by (x, y).
void FacingPose(double x, double y, double distance, double angleDeg, double pose[3][4]);
