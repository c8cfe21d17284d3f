#pragma once
// The frames the detection benchmarks and the scene accuracy tests run on:
// short clips of markers (three patterns) drifting slowly, as a live camera
// sees them, rendered with noise, blur and uneven light.

#include "synth/synth_scene.h"
#include "tracking/camera_param.h"
#include "tracking/marker_info.h"

#include <functional>
#include <vector>

struct BenchClip
{
    CameraParam camera;
    std::vector<SynthFrame> frames;
    std::vector<int> thresholds; // the live run's automatic threshold per frame
    std::vector<int> patterns;   // per marker: index of its pattern (0..2)
};

// How a clip is lit and filmed beyond its markers. The default is the
// benchmarks' usual camera: noise 3, lens blur 0.6 px, a 15% light gradient,
// over a grey background of 160.
struct ClipStyle
{
    SynthOptions options; // the seed is set per frame
    unsigned char backgroundGrey = 160;
    // Moves marker `marker` in frame `frame` by offsetMm (camera frame),
    // on top of the slow drift; none when empty.
    std::function<void(int frame, int marker, double offsetMm[3])> motion;

    ClipStyle();
};

// Light falling from 1.0 at the right edge to 0.6 at the left, and a soft
// shadow at half light over the upper right marker.
ClipStyle UnevenLightStyle(int width, int height);

// The usual camera with a motion blur of lengthPx at angleDeg.
ClipStyle MotionBlurStyle(double lengthPx, double angleDeg);

constexpr int kBenchPatternCount = 3;
constexpr double kBenchMarkerWidthMm = 80.0;

// A 640 x 480 camera's intrinsics scaled to the given size.
CameraParam BenchCamera(int width, int height);

// `frameCount` frames of a periodic drift; blobCount dark blobs on the
// background make it a textured, noisy scene. Four markers stand at fixed
// places of different size and tilt; more are laid out in a grid over the
// whole frame, each in its own cell.
BenchClip MakeClip(int width, int height, int frameCount, int blobCount, int markerCount = 4,
                   const ClipStyle& style = ClipStyle());

// The picture of benchmark pattern i (0..2).
const SynthPicture& BenchPicture(int pattern);

// Loads the first `count` pictures as patterns into the library's table
// (written to a temporary folder first) and makes `camera` current.
// Picture i gets slot i.
void LoadPatternPictures(const CameraParam& camera, const std::vector<SynthPicture>& pictures,
                         size_t count);
// The three benchmark patterns, through LoadPatternPictures.
void LoadBenchPatterns(const CameraParam& camera);

// The result whose centroid lies within 0.3 of a side of the true
// marker's centre (the nearest), or null.
const MarkerInfo* ResultAt(const SynthTruth& truth, const MarkerInfo* markers, int count);
