#pragma once
// Renders a synthetic camera frame by casting each pixel's ray (through the
// lens distortion and the projection matrix) onto the marker planes.

#include "synth/synth_scene.h"
#include "tracking/camera_param.h"

#include <vector>

class CFrameRenderer
{
  public:
    // The frame has the camera's size; the camera's 3 x 3 part must be
    // invertible (checked by Valid()).
    CFrameRenderer(const CameraParam& camera, const SynthOptions& options);

    bool Valid() const { return m_bValid; }
    SynthFrame Render(const std::vector<SynthMarker>& markers,
                      const SynthBackground& background) const;

    // Ground truth without rendering: corners and pose of one marker.
    SynthTruth Truth(const SynthMarker& marker) const;

  private:
    // Grey-level colour (3 floats) seen along the ray of ideal point (u, v),
    // or false when the ray meets no marker.
    bool Trace(const std::vector<SynthMarker>& markers, double u, double v, float colour[3]) const;
    void MarkerBox(const SynthMarker& marker, int box[4]) const;
    void Project(const double point[3], double* u, double* v, double* depth) const;

    CameraParam m_camera;
    SynthOptions m_options;
    double m_inverse[3][3] = {}; // of the camera's 3 x 3 part
    double m_centre[3] = {};     // camera centre in camera coordinates
    bool m_bValid = false;
};
