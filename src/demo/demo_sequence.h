#pragma once
// The demo's video: a board carrying two markers (the "Coche" tracker) and a
// single marker ("Señal") moving and turning in front of the camera for
// three seconds at 30 frames a second. The board's reference marker is
// covered for a while, and the single marker leaves the view near the end.

#include "synth/synth_scene.h"
#include "tracking/camera_param.h"

constexpr int kDemoFrames = 90;
constexpr int kDemoMarkers = 3;   // reference, second board marker, single marker
constexpr double kDemoMarkerWidthMm = 80.0;
constexpr double kDemoBoardSpacingMm = 130.0; // between the board's marker centres

struct DemoFrameTruth
{
    double cameraFromMarker[kDemoMarkers][3][4] = {};
    bool visible[kDemoMarkers] = {};
};

DemoFrameTruth DemoTruthAt(int frame);

// The demo's camera: 640 x 480, a 60-degree horizontal field of view, no
// lens distortion.
CameraParam DemoCamera();

// Renders frame `frame` with the pictures of the three markers, in order.
SynthFrame RenderDemoFrame(const CameraParam& camera, const SynthPicture* const pictures[kDemoMarkers],
                           int frame);
