#pragma once
// The frames the detection benchmarks and the scene accuracy tests run on:
// short clips of markers (three patterns) drifting slowly, as a live camera
// sees them, rendered with noise, blur and uneven light.

#include "synth/synth_scene.h"
#include "tracking/camera_param.h"
#include "tracking/marker_info.h"

#include <vector>

struct BenchClip
{
    CameraParam camera;
    std::vector<SynthFrame> frames;
    std::vector<int> thresholds; // the live run's automatic threshold per frame
    std::vector<int> patterns;   // per marker: index of its pattern (0..2)
};

constexpr int kBenchPatternCount = 3;
constexpr double kBenchMarkerWidthMm = 80.0;

// A 640 x 480 camera's intrinsics scaled to the given size.
CameraParam BenchCamera(int width, int height);

// `frameCount` frames of a periodic drift; blobCount dark blobs on the
// background make it a textured, noisy scene. Four markers stand at fixed
// places of different size and tilt; more are laid out in a grid over the
// whole frame, each in its own cell.
BenchClip MakeClip(int width, int height, int frameCount, int blobCount, int markerCount = 4);

// Loads the three benchmark patterns into the library's table (written to a
// temporary folder first) and makes `camera` current. Pattern i gets slot i.
void LoadBenchPatterns(const CameraParam& camera);

// The result whose centroid lies within 0.3 of a side of the true
// marker's centre (the nearest), or null.
const MarkerInfo* ResultAt(const SynthTruth& truth, const MarkerInfo* markers, int count);
