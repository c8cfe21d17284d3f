#pragma once
// Camera parameter files written by our tools (the tracking library only
// reads them): one 136-byte big-endian record.

#include "tracking/camera_param.h"

#include <string>

// A camera without a calibration: square pixels, no skew, no lens
// distortion, principal point (cx, cy).
CameraParam IdealPinholeCamera(int width, int height, double focalPx, double cx, double cy);

// The focal length in pixels that gives an image `width` pixels wide the
// horizontal field of view `fovDegrees`.
double FocalForFieldOfView(int width, double fovDegrees);

// Writes beside the target and renames over it; false with a reason.
bool WriteCameraParamFile(const std::string& path, const CameraParam& param, std::string* error);
