#pragma once
// The live augmented view drawn in plain OpenGL, shared by the Qt editor view
// and any offscreen renderer: the video frame as background and every found
// tracker's models at its pose under the camera's projection. The caller
// sets the viewport.
//
// Video rows arrive top-down, and the camera projection maps image row 0 to
// the bottom of the viewport; both the background and the projection are
// turned over together, so the picture is upright and the models stay on
// their markers.

#include "project/matrix.h"

#include <list>

class CAxes;
class CTracker;

// The projection that draws camera-frame geometry over an upright picture:
// `cameraProjection` (from the camera parameters) with its y turned over.
CMatrix UprightProjection(const CMatrix& cameraProjection);

// The frame in the lower-left texScaleX x texScaleY part of `texture`, row 0
// at texture row 0, drawn over the whole viewport with row 0 at the top.
// Leaves texturing on and depth testing off.
void DrawVideoBackground(unsigned int texture, double texScaleX, double texScaleY);

// Every tracker in list order at its pose, each drawn over the ones before,
// with `axes` at each tracker's origin when given. `projection` is the
// upright one.
void DrawLiveTrackers(const CMatrix& projection, std::list<CTracker>& trackers, const CAxes* axes);

// The live area as the window shows it: the video background, then the
// trackers over it. The window, its recordings and `zelmora-cli render`
// all draw through this.
void DrawLiveArea(unsigned int texture, double texScaleX, double texScaleY,
                  const CMatrix& projection, std::list<CTracker>& trackers, const CAxes* axes);
