#pragma once
// The frames the detection benchmarks run on: short clips of four markers
// (three patterns) drifting slowly, as a live camera sees them, rendered
// with noise, blur and uneven light.

#include "synth/synth_scene.h"
#include "tracking/camera_param.h"

#include <vector>

struct BenchClip
{
    CameraParam camera;
    std::vector<SynthFrame> frames;
    std::vector<int> thresholds; // the live run's automatic threshold per frame
};

// A 640 x 480 camera's intrinsics scaled to the given size.
CameraParam BenchCamera(int width, int height);

// `frameCount` frames of a periodic drift; blobCount dark blobs on the
// background make it a textured, noisy scene.
BenchClip MakeClip(int width, int height, int frameCount, int blobCount);

// Loads the three benchmark patterns into the library's table (written to a
// temporary folder first) and makes `camera` current.
void LoadBenchPatterns(const CameraParam& camera);
