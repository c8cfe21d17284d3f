#pragma once
// Camera calibration from views of a checkerboard: OpenCV's estimate (one
// radial term, no tangential), then the fit of the tracking library's own
// model from it (camera_model_fit.h). Stateless.

#include "calibration/board.h"
#include "tracking/camera_param.h"

#include <string>
#include <vector>

constexpr int kMinCalibrationViews = 3;

struct ViewReport
{
    std::string name;
    double openCvErrorPx = 0.0; // RMS reprojection error in OpenCV's model
    double modelErrorPx = 0.0;  // and in ours
    double tiltDeg = 0.0;       // between the board's normal and the camera's axis
};

struct CalibrationReport
{
    CameraParam camera;
    std::vector<ViewReport> views;
    double openCvErrorPx = 0.0;
    double modelErrorPx = 0.0;
    std::vector<std::string> warnings; // views that leave the lens poorly known
};

// Views of a width x height picture. False with the reason when there are
// fewer than kMinCalibrationViews or the estimate fails.
bool CalibrateCamera(const BoardSpec& board, int width, int height,
                     const std::vector<BoardView>& views, CalibrationReport* report,
                     std::string* error);
