#pragma once
// Cameras and rendered scenes with known ground truth for the detection and
// pose tests.

#include "bench_scenes.h"
#include "support/median.h"
#include "synth/synth_scene.h"
#include "tracking/camera_param.h"
#include "tracking/marker_info.h"

#include <cstdint>
#include <random>
#include <vector>

// A 640 x 480 camera, focal length 560 px, with a mild barrel distortion
// (6 px at the frame's corners) about a centre a little off the image
// centre: the benchmarks' camera at that size.
inline CameraParam TestCamera()
{
    return BenchCamera(640, 480);
}

// Light, lens and sensor of the accuracy set: noise sigma 3, some blur, a
// lighting gradient.
SynthOptions RealisticOptions(uint32_t seed);

// A marker of `widthMm` placed so that its side spans sidePx pixels when
// facing the camera, with the given turn, tilt and position of its centre
// in the image (ideal pixels).
SynthMarker PlaceMarker(const CameraParam& camera, const SynthPicture* picture, double widthMm,
                        double sidePx, double turnDeg, double tiltDeg, double tiltAxisDeg,
                        double centreX, double centreY);

struct SceneMarker
{
    SynthMarker marker;
    int pattern = 0; // index of the picture in the list given to RandomScene
};

// 1 to maxMarkers markers of distinct pictures, 45 to 150 px per side,
// tilted up to 45 degrees, any turn, each fully in the frame and clear of
// the others.
std::vector<SceneMarker> RandomScene(const CameraParam& camera,
                                     const std::vector<const SynthPicture*>& pictures,
                                     int maxMarkers, std::mt19937& random);

std::vector<SynthMarker> MarkersOf(const std::vector<SceneMarker>& scene);
