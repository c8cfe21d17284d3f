#pragma once
// The steps of pose estimation, exposed for the tests. A rotation is a 3 x 3
// row-major matrix; "camera" is the projection `mat` of the current camera.

#include "tracking/camera_param.h"
#include "tracking/marker_info.h"

// Rotation from the vanishing points of the marker's two pairs of opposite
// edges; 0, or -1 when the lines or the camera are degenerate.
int estimateInitialRotation(const MarkerInfo& marker, const double camera[3][4],
                            double rotation[3][3]);

// Flips `direction` when, lifted onto a ray through `start` and projected,
// it points away from `end`; -1 when the camera cannot be inverted or a point
// projects to infinity.
int checkDirection(double direction[3], const double start[2], const double end[2],
                   const double camera[3][4]);

// Turns two unit vectors within their plane, each by half the angle by which
// they miss a right angle; -1 when they are parallel or no solution exists.
int orthogonalizeDirections(double d1[3], double d2[3]);

// One refinement of [R | t] for four image points (ideal coordinates) and
// the matching marker points (z = 0). Updates `rotation`, writes
// `transform`; the mean squared reprojection error, or -1 when the
// translation's normal equations cannot be solved.
double refineTransform(double rotation[3][3], const double imagePoints[4][2],
                       const double markerPoints[4][2], const CameraParam& camera,
                       double transform[3][4]);

// The same for marker points already centred on their bounding box.
double solveTransform(double rotation[3][3], const double imagePoints[4][2],
                      const double markerPoints[4][3], const CameraParam& camera,
                      double transform[3][4]);

// Coarse-to-fine search of the rotation angles for a fixed translation;
// updates `rotation` and returns the mean squared error over the n points.
double modifyRotation(double rotation[3][3], const double translation[3], const double camera[3][4],
                      const double markerPoints[][3], const double imagePoints[][2], int n);

// Angles (a, b, c) of a rotation: b the tilt of its z axis, a the direction
// of that tilt, c the turn about it. R22 is clamped into [-1, 1] in place.
void rotationToAngles(double rotation[3][3], double* a, double* b, double* c);
void anglesToRotation(double a, double b, double c, double rotation[3][3]);
