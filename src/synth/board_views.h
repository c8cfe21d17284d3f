#pragma once
// Checkerboard views for calibration tests and benchmarks, posed as a person
// calibrating a camera holds the board: spread over the frame, each tilted
// a different way.

#include "synth/synth_scene.h"
#include "tracking/camera_param.h"

#include <vector>

// A 1280 x 720 webcam: focal length 1000 px, principal point and distortion
// centre a little off the image centre, barrel distortion of about 20 px
// at the frame's corners.
CameraParam WebcamLikeCamera();

// `count` boards of columns x rows inner corners (squares of squareMm),
// each spanning about a third of the frame's width, placed on a 3 x 3 grid
// of the frame in turn and tilted 15 to 40 degrees.
std::vector<SynthMarker> CalibrationBoardViews(const CameraParam& camera, int columns, int rows,
                                               double squareMm, int count);
