#pragma once
// Rendered checkerboard pictures through a known webcam-like camera: the
// ground truth of the calibration tests.

#include "calibration/board.h"
#include "imaging/bgra_image.h"
#include "synth/synth_scene.h"
#include "tracking/camera_param.h"

#include <vector>

// The 9 x 6 board with 30 mm squares.
BoardSpec TestBoard();

// Light noise and lens blur, as a webcam gives.
SynthOptions WebcamOptions(uint32_t seed);

BgraImage RenderPicture(const CameraParam& camera, const std::vector<SynthMarker>& markers,
                        uint32_t seed);

// `count` pictures of the test board (CalibrationBoardViews).
std::vector<BgraImage> RenderBoardPictures(const CameraParam& camera, int count);
