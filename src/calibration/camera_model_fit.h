#pragma once
// Least-squares fit of the tracking library's camera model (the 3 x 4
// matrix and the four distortion factors, applied by idealToObserved) to
// every board corner of every view, with each view's board pose. Stateless.

#include "calibration/board.h"
#include "tracking/camera_param.h"

#include <vector>

// Camera from board: a rotation vector (axis times angle in radians) and a
// translation in mm.
struct BoardPose
{
    double rotation[3] = {};
    double translation[3] = {};
};

struct ModelFit
{
    CameraParam camera;
    std::vector<BoardPose> poses;
    std::vector<double> viewRmsPx; // reprojection error of each view
    double rmsPx = 0.0;            // over every corner
};

// Where the camera sees board corner `index` of a board at `pose`.
ImagePoint ProjectBoardCorner(const CameraParam& camera, const BoardSpec& board,
                              const BoardPose& pose, int index);

// Refines `start` (its focal lengths, principal point, distortion centre
// and radial factor; no skew, scale 1) and the poses by Levenberg-Marquardt.
ModelFit FitCameraModel(const BoardSpec& board, const std::vector<BoardView>& views,
                        const CameraParam& start, const std::vector<BoardPose>& startPoses);
