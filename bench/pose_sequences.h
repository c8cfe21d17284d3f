#pragma once
// Rendered sequences of one small marker (about 40 px across at 640 x 480)
// filmed with a webcam's noise, detected frame by frame, and the figures of
// a pose filter over them against the truth: how much a still pose shakes,
// how far a sliding one trails, how far a fast one strays, how soon a
// marker put down elsewhere is shown there. Shared by the pose filter's
// tests and its benchmark.

#include "project/pattern.h"
#include "tracking/camera_param.h"
#include "tracking/marker_info.h"

#include <vector>

enum class SequenceMotion
{
    Still, // fixed in front of the camera
    Slow,  // sliding sideways at 30 mm/s
    Fast,  // sliding sideways at 240 mm/s
    Jump,  // still, then put down four widths away between two frames
};

enum class SequenceLook
{
    Plain,       // noise 6, lens blur 0.6 px, a 15% light gradient
    UnevenLight, // light falling from 1.0 to 0.6 across the frame, a shadow at half light
    MotionBlur,  // the plain look blurred 7 px along 30 degrees
};

struct SequenceSpec
{
    SequenceMotion motion = SequenceMotion::Still;
    SequenceLook look = SequenceLook::Plain;
    int frames = 90;
    int warmupFrames = 30; // left out of the figures while the filters settle
};

// What detection made of one frame, and the truth.
struct SequenceFrame
{
    bool found = false;
    MarkerInfo marker; // the best match of the marker's pattern
    double truth[3][4] = {};
};

struct PoseSequence
{
    SequenceSpec spec;
    CameraParam camera;
    std::vector<SequenceFrame> frames;
    double stepMm = 0.0; // true motion per frame, along camera x
    int jumpFrame = -1;  // first frame at the new place
};

constexpr double kSequenceMarkerWidthMm = 80.0;
constexpr double kSequenceFrameSeconds = 1.0 / 30.0;

// Renders and detects the sequence (adaptive threshold, as a live run);
// loads the benchmark patterns and leaves the camera current.
PoseSequence DetectPoseSequence(const SequenceSpec& spec);

enum class PoseSource
{
    Raw,      // the pose estimate of each frame
    Filtered, // what the pattern's filter makes of it
};

// Each over the frames after the warm-up in which the pose was estimated.
struct PoseFigures
{
    double foundShare = 0.0; // of all frames
    double jitterMm = 0.0;   // spread of the translation error about its mean
    double jitterDeg = 0.0;  // spread of the rotation error about its mean
    double lagFrames = 0.0;  // mean error along the motion over the step, + behind
    double errorMm = 0.0;    // root mean square of the translation error
    double errorDeg = 0.0;   // root mean square of the rotation error
    int arrivalFrames = -1;  // jump: frames after it until the pose is at the new place
};

// Runs the sequence through a CPatternState of `pattern`'s settings frame
// by frame, as a live run does, and measures the raw or filtered pose.
PoseFigures MeasurePoses(const PoseSequence& sequence, const CPattern& pattern, PoseSource source);

// The pattern of the sequences (width, slot 0) with the given filter and the
// settings' defaults.
CPattern SequencePattern(PoseFilter filter);
