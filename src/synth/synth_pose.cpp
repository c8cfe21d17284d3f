#include "synth/synth_pose.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

void Multiply(const double a[3][3], const double b[3][3], double out[3][3])
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
}

// Rodrigues' formula for a unit axis.
void AxisAngle(const double axis[3], double angleRad, double out[3][3])
{
    const double c = std::cos(angleRad);
    const double s = std::sin(angleRad);
    const double k = 1.0 - c;
    const double x = axis[0], y = axis[1], z = axis[2];
    const double r[3][3] = {{c + x * x * k, x * y * k - z * s, x * z * k + y * s},
                            {y * x * k + z * s, c + y * y * k, y * z * k - x * s},
                            {z * x * k - y * s, z * y * k + x * s, c + z * z * k}};
    std::copy(&r[0][0], &r[0][0] + 9, &out[0][0]);
}
} // namespace

void markerPose(double turnDeg, double tiltDeg, double tiltAxisDeg, const double position[3],
                double cameraFromMarker[3][4])
{
    // Facing the camera: marker x along image x, marker y up (image -y),
    // marker z towards the camera.
    const double facing[3][3] = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    // Counter-clockwise as seen from the camera is about the marker's +z,
    // which points at the camera.
    const double markerZ[3] = {0, 0, 1};
    double turn[3][3];
    AxisAngle(markerZ, turnDeg * kDegToRad, turn);
    const double tiltAxis[3] = {std::cos(tiltAxisDeg * kDegToRad),
                                std::sin(tiltAxisDeg * kDegToRad), 0.0};
    double tilt[3][3];
    AxisAngle(tiltAxis, tiltDeg * kDegToRad, tilt);

    double faced[3][3], rotation[3][3];
    Multiply(facing, turn, faced);
    Multiply(tilt, faced, rotation);
    for (int r = 0; r < 3; ++r)
    {
        for (int c = 0; c < 3; ++c)
            cameraFromMarker[r][c] = rotation[r][c];
        cameraFromMarker[r][3] = position[r];
    }
}

double rotationDifferenceDeg(const double a[3][4], const double b[3][4])
{
    // trace(A^T B) = 1 + 2 cos(angle)
    double trace = 0.0;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            trace += a[r][c] * b[r][c];
    const double cosine = std::clamp((trace - 1.0) / 2.0, -1.0, 1.0);
    return std::acos(cosine) / kDegToRad;
}

double translationErrorShare(const double estimate[3][4], const double truth[3][4])
{
    double error = 0.0, distance = 0.0;
    for (int r = 0; r < 3; ++r)
    {
        error += (estimate[r][3] - truth[r][3]) * (estimate[r][3] - truth[r][3]);
        distance += truth[r][3] * truth[r][3];
    }
    return std::sqrt(error / distance);
}
