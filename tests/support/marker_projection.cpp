#include "support/marker_projection.h"

#include "formats/camera_file.h"

#include "tracking/tracking_state.h"

#include <cmath>

CameraParam PinholeCamera() { return IdealPinholeCamera(640, 480, 600.0, 320.0, 240.0); }

void UseCamera(const CameraParam& camera)
{
    TrackingState& state = trackingState();
    state.camera = camera;
    state.xsize = camera.xsize;
    state.ysize = camera.ysize;
    state.hasCamera = true;
}

MarkerInfo ProjectMarker(const CameraParam& camera, const double pose[3][4], double width, int dir,
                         int id, double cf)
{
    const double h = width / 2;
    const double corners[4][2] = {{-h, h}, {h, h}, {h, -h}, {-h, -h}};
    MarkerInfo marker;
    marker.id = id;
    marker.dir = dir;
    marker.cf = cf;
    marker.area = static_cast<int>(width * width);
    for (int k = 0; k < 4; ++k)
    {
        double c[3];
        for (int i = 0; i < 3; ++i)
            c[i] = pose[i][0] * corners[k][0] + pose[i][1] * corners[k][1] + pose[i][3];
        double p[3];
        for (int i = 0; i < 3; ++i)
            p[i] = camera.mat[i][0] * c[0] + camera.mat[i][1] * c[1] + camera.mat[i][2] * c[2] +
                   camera.mat[i][3];
        double* vertex = marker.vertex[(4 + k - dir) % 4];
        vertex[0] = p[0] / p[2];
        vertex[1] = p[1] / p[2];
        marker.pos[0] += vertex[0] / 4;
        marker.pos[1] += vertex[1] / 4;
    }
    // Line i runs from corner i to corner i + 1.
    for (int i = 0; i < 4; ++i)
    {
        const double* a = marker.vertex[i];
        const double* b = marker.vertex[(i + 1) % 4];
        const double dx = b[0] - a[0];
        const double dy = b[1] - a[1];
        const double length = std::hypot(dx, dy);
        marker.line[i][0] = dy / length;
        marker.line[i][1] = -dx / length;
        marker.line[i][2] = -(marker.line[i][0] * a[0] + marker.line[i][1] * a[1]);
    }
    return marker;
}

void FacingPose(double x, double y, double distance, double angleDeg, double pose[3][4])
{
    // Marker y up is camera y down, and the marker's z faces the camera.
    const double a = angleDeg * M_PI / 180.0;
    const double rotation[3][3] = {{1, 0, 0},
                                   {0, -std::cos(a), std::sin(a)},
                                   {0, -std::sin(a), -std::cos(a)}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            pose[i][j] = rotation[i][j];
    pose[0][3] = x;
    pose[1][3] = y;
    pose[2][3] = distance;
}
