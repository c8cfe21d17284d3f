#include "synth/board_views.h"

#include "synth/synth_pose.h"

#include <algorithm>

namespace
{
constexpr double kBoardShareOfWidth = 0.36;
// Board centres, as shares of the frame, far enough in that a tilted board
// stays whole.
constexpr double kAcross[3] = {0.28, 0.5, 0.72};
constexpr double kDown[3] = {0.33, 0.5, 0.67};
} // namespace

CameraParam WebcamLikeCamera()
{
    CameraParam camera;
    camera.xsize = 1280;
    camera.ysize = 720;
    const double mat[3][4] = {{1000.0, 0.0, 652.0, 0.0}, {0.0, 1000.0, 355.0, 0.0}, {0.0, 0.0, 1.0, 0.0}};
    std::copy(&mat[0][0], &mat[0][0] + 12, &camera.mat[0][0]);
    // 5e-8 px^-2 moves the frame's corner, 740 px out, by about 20 px.
    const double distortion[4] = {648.0, 362.0, 5.0, 1.0};
    std::copy(distortion, distortion + 4, camera.distFactor);
    return camera;
}

std::vector<SynthMarker> CalibrationBoardViews(const CameraParam& camera, int columns, int rows,
                                               double squareMm, int count)
{
    const double focal = camera.mat[0][0];
    const double distance = focal * (columns + 1) * squareMm / (kBoardShareOfWidth * camera.xsize);
    std::vector<SynthMarker> boards;
    for (int k = 0; k < count; ++k)
    {
        SynthMarker board;
        board.widthMm = squareMm;
        board.marginMm = squareMm;
        board.boardColumns = columns + 1;
        board.boardRows = rows + 1;
        // Steps of 4 and 7 through the grid and the angles, so that
        // neighbouring views differ in place and in tilt.
        const int cell = (4 * k) % 9;
        const double u = kAcross[cell % 3] * camera.xsize;
        const double v = kDown[cell / 3] * camera.ysize;
        const double position[3] = {(u - camera.mat[0][2]) * distance / focal,
                                    (v - camera.mat[1][2]) * distance / camera.mat[1][1],
                                    distance};
        const double tiltDeg = 15.0 + (7 * k) % 26;
        const double tiltAxisDeg = (47.0 * k) - 180.0 * static_cast<int>(47.0 * k / 180.0);
        const double turnDeg = (13 * k) % 21 - 10.0;
        markerPose(turnDeg, tiltDeg, tiltAxisDeg, position, board.cameraFromMarker);
        boards.push_back(board);
    }
    return boards;
}
