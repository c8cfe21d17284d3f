#pragma once
// Last step of pose estimation: a few Levenberg-Marquardt steps on the
// rotation and translation that minimise the corners' reprojection error.
// The rotation search before it stops at a coarse fit; least squares on all
// eight corner coordinates at once takes the pose to the best the corners
// allow.

// imagePoints: the four corners in ideal coordinates; markerPoints: the
// matching marker corners (z = 0); camera: the projection `mat`. Improves
// `transform` in place (a step is taken only when it lowers the error, so
// the estimate given is kept when nothing fits better) and returns its mean
// squared reprojection error in px^2, or -1 when a corner lies behind the
// camera.
double polishPose(const double imagePoints[4][2], const double markerPoints[4][2],
                  const double camera[3][4], double transform[3][4]);
