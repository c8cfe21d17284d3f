#pragma once
// Marker poses for synthetic scenes, said the way a person sets a marker up:
// facing the camera upright, turned in its own plane, tilted away.

// cameraFromMarker for a marker at `position` (camera frame, its unit) that
// faces the camera with its picture upright, is turned by turnDeg in its own
// plane (counter-clockwise as the camera sees it), and is then tilted by
// tiltDeg about the axis through its centre, parallel to the image plane,
// at tiltAxisDeg from the image's x axis.
void markerPose(double turnDeg, double tiltDeg, double tiltAxisDeg, const double position[3],
                double cameraFromMarker[3][4]);

// The angle in degrees of the rotation that takes one pose's rotation to
// the other's.
double rotationDifferenceDeg(const double a[3][4], const double b[3][4]);

// The distance between two poses' translations over the length of the
// second's (the true distance of the marker).
double translationErrorShare(const double estimate[3][4], const double truth[3][4]);
