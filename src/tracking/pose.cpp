#include "tracking/pose.h"

#include "tracking/matrix_toolkit.h"
#include "tracking/pose_internal.h"
#include "tracking/pose_polish.h"
#include "tracking/tracking_state.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr int kMaxRefinements = 5;
constexpr double kGoodEnoughError = 1.0; // px^2: refining further gains little

// Translation that best projects the rotated marker points onto the image
// points for a fixed rotation: the least-squares solution of two linear
// equations per point, through the normal equations.
int SolveTranslation(const double rotation[3][3], const double camera[3][4],
                     const double markerPoints[4][3], const double imagePoints[4][2],
                     double translation[3])
{
    double ata[9] = {};
    double atb[3] = {};
    for (int k = 0; k < 4; ++k)
    {
        const double* p = markerPoints[k];
        double w[3];
        for (int r = 0; r < 3; ++r)
            w[r] = rotation[r][0] * p[0] + rotation[r][1] * p[1] + rotation[r][2] * p[2];
        const double ox = imagePoints[k][0];
        const double oy = imagePoints[k][1];
        const double rows[2][4] = {
            {camera[0][0], camera[0][1], camera[0][2] - ox,
             w[2] * ox - camera[0][0] * w[0] - camera[0][1] * w[1] - camera[0][2] * w[2]},
            {0.0, camera[1][1], camera[1][2] - oy,
             w[2] * oy - camera[1][1] * w[1] - camera[1][2] * w[2]},
        };
        for (const auto& row : rows)
            for (int i = 0; i < 3; ++i)
            {
                for (int j = 0; j < 3; ++j)
                    ata[3 * i + j] += row[i] * row[j];
                atb[i] += row[i] * row[3];
            }
    }
    Matrix inverse{ata, 3, 3};
    if (matrixSelfInv(&inverse) < 0)
        return -1;
    for (int i = 0; i < 3; ++i)
        translation[i] = ata[3 * i] * atb[0] + ata[3 * i + 1] * atb[1] + ata[3 * i + 2] * atb[2];
    return 0;
}

void MarkerCorners(const double center[2], double width, double corners[4][2])
{
    const double half = width / 2.0;
    const double xs[4] = {-half, half, half, -half};
    const double ys[4] = {half, half, -half, -half};
    for (int k = 0; k < 4; ++k)
    {
        corners[k][0] = center[0] + xs[k];
        corners[k][1] = center[1] + ys[k];
    }
}

// Image corner k of a marker matched with orientation dir.
void ImageCorners(const MarkerInfo& marker, double corners[4][2])
{
    const int d = (marker.dir % 4 + 4) % 4;
    for (int k = 0; k < 4; ++k)
    {
        corners[k][0] = marker.vertex[(4 + k - d) % 4][0];
        corners[k][1] = marker.vertex[(4 + k - d) % 4][1];
    }
}

// Refines from `rotation` until the error is small enough; -1 when a step
// cannot be solved, in which case `transform` is left as it was.
double Refine(double rotation[3][3], const MarkerInfo& marker, const double center[2], double width,
              double transform[3][4])
{
    const CameraParam& camera = trackingState().camera;
    double imagePoints[4][2];
    double markerPoints[4][2];
    ImageCorners(marker, imagePoints);
    MarkerCorners(center, width, markerPoints);

    double result[3][4];
    double error = -1.0;
    for (int i = 0; i < kMaxRefinements; ++i)
    {
        error = refineTransform(rotation, imagePoints, markerPoints, camera, result);
        if (error < 0.0 || !std::isfinite(error))
            return -1.0;
        if (error < kGoodEnoughError)
            break;
    }
    const double polished = polishPose(imagePoints, markerPoints, camera.mat, result);
    if (polished >= 0.0)
        error = polished;
    std::memcpy(transform, result, sizeof(result));
    return error;
}
} // namespace

// The fit compares the ideal corners with the ideal projection of the
// camera matrix. Re-distorting the corners first would compare distorted
// points with an undistorted model, and bias the pose by the lens distortion
// at the marker (1% of the distance and more near the frame's edges).
double solveTransform(double rotation[3][3], const double imagePoints[4][2],
                      const double markerPoints[4][3], const CameraParam& camera,
                      double transform[3][4])
{
    double translation[3];
    double error = 0.0;
    for (int round = 0; round < 2; ++round)
    {
        if (SolveTranslation(rotation, camera.mat, markerPoints, imagePoints, translation) < 0)
            return -1.0;
        error = modifyRotation(rotation, translation, camera.mat, markerPoints, imagePoints, 4);
    }
    for (int r = 0; r < 3; ++r)
    {
        for (int c = 0; c < 3; ++c)
            transform[r][c] = rotation[r][c];
        transform[r][3] = translation[r];
    }
    return error;
}

double refineTransform(double rotation[3][3], const double imagePoints[4][2],
                       const double markerPoints[4][2], const CameraParam& camera,
                       double transform[3][4])
{
    double minX = 1e10, maxX = -1e10, minY = 1e10, maxY = -1e10;
    for (int k = 0; k < 4; ++k)
    {
        minX = std::fmin(minX, markerPoints[k][0]);
        maxX = std::fmax(maxX, markerPoints[k][0]);
        minY = std::fmin(minY, markerPoints[k][1]);
        maxY = std::fmax(maxY, markerPoints[k][1]);
    }
    // Solving about the marker's centre keeps the rotation and translation
    // decoupled; the offset is folded back into t afterwards.
    const double offset[3] = {-(minX + maxX) / 2.0, -(minY + maxY) / 2.0, -0.0};
    double shifted[4][3];
    for (int k = 0; k < 4; ++k)
    {
        shifted[k][0] = markerPoints[k][0] + offset[0];
        shifted[k][1] = markerPoints[k][1] + offset[1];
        shifted[k][2] = 0.0;
    }

    const double error = solveTransform(rotation, imagePoints, shifted, camera, transform);
    if (error < 0.0)
        return error;
    for (int r = 0; r < 3; ++r)
        transform[r][3] +=
            transform[r][0] * offset[0] + transform[r][1] * offset[1] + transform[r][2] * offset[2];
    return error;
}

double estimateMarkerTransform(const MarkerInfo& marker, const double center[2], double width,
                               double transform[3][4])
{
    double rotation[3][3];
    if (estimateInitialRotation(marker, trackingState().camera.mat, rotation) < 0)
        return -1.0;
    return Refine(rotation, marker, center, width, transform);
}

double estimateMarkerTransformCont(const MarkerInfo& marker, const double previous[3][4],
                                   const double center[2], double width, double transform[3][4])
{
    double rotation[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            rotation[r][c] = previous[r][c];

    double continued[3][4];
    const double e1 = Refine(rotation, marker, center, width, continued);
    // The refinement stops once the corners reproject within a pixel, which
    // a rotation a degree or two off still does when it starts from the
    // previous frame's. The estimate from this frame's own edges is always
    // tried too, and the one that fits better is kept.
    double fresh[3][4];
    const double e2 = estimateMarkerTransform(marker, center, width, fresh);
    if (e2 >= 0.0 && (e1 < 0.0 || e2 < e1))
    {
        std::memcpy(transform, fresh, sizeof(fresh));
        return e2;
    }
    if (e1 < 0.0)
        return -1.0;
    std::memcpy(transform, continued, sizeof(continued));
    return e1;
}
