#pragma once
// Whether a set of board views can tell the lens: the distortion shows at
// the frame's edges and corners, the focal length only in tilted views.

#include "calibration/board.h"

#include <string>
#include <vector>

// The frame is split into kCoverageCells x kCoverageCells parts; each
// should hold a corner of some view.
constexpr int kCoverageCells = 3;
// Views tilted less than this barely tell the focal length from distance.
constexpr double kMinTiltDeg = 15.0;
constexpr int kMinTiltedViews = 2;

// One message per weakness: the parts of the frame no view reaches, too
// few tilted views. tiltsDeg holds one tilt per view.
std::vector<std::string> ViewSpreadWarnings(int width, int height,
                                            const std::vector<BoardView>& views,
                                            const std::vector<double>& tiltsDeg);
