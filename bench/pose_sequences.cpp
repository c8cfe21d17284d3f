#include "pose_sequences.h"

#include "bench_scenes.h"
#include "project/pattern_state.h"
#include "synth/frame_renderer.h"
#include "synth/synth_pose.h"
#include "tracking/detection.h"

#include <array>
#include <cmath>
#include <cstring>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kMarkerSidePx = 40.0;
constexpr double kNoiseSigma = 6.0; // a webcam's sensor noise in grey levels
constexpr double kSlowMmPerSecond = 30.0;
constexpr double kFastMmPerSecond = 240.0;
constexpr double kJumpWidths = 4.0;
// Facing the camera a little turned and tilted, as a marker on a desk is.
constexpr double kTurnDeg = 15.0;
constexpr double kTiltDeg = 25.0;
constexpr double kTiltAxisDeg = 30.0;
// A pose within this share of the marker's width of the truth is at its place.
constexpr double kArrivedShare = 0.25;

SynthOptions LookOptions(SequenceLook look, const double markerCentrePx[2])
{
    SynthOptions options;
    options.noiseSigma = kNoiseSigma;
    options.blurSigmaPx = 0.6;
    options.lightGradient = 0.15;
    options.lightAngleDeg = 40.0;
    if (look == SequenceLook::UnevenLight)
    {
        options.lightLevel = 0.8;
        options.lightGradient = 0.2;
        options.lightAngleDeg = 0.0;
        options.shadow.centrePx[0] = markerCentrePx[0];
        options.shadow.centrePx[1] = markerCentrePx[1];
        options.shadow.radiusPx = 0.8 * kMarkerSidePx;
        options.shadow.softnessPx = 0.4 * kMarkerSidePx;
        options.shadow.level = 0.5;
    }
    else if (look == SequenceLook::MotionBlur)
    {
        options.motionBlurPx = 7.0;
        options.motionBlurAngleDeg = 30.0;
    }
    return options;
}

// Where the marker's centre is in frame f, camera x in millimetres.
double PositionX(const PoseSequence& sequence, int f)
{
    const int frames = sequence.spec.frames;
    switch (sequence.spec.motion)
    {
    case SequenceMotion::Slow:
    case SequenceMotion::Fast:
        return sequence.stepMm * (f - frames / 2);
    case SequenceMotion::Jump:
        return (f < sequence.jumpFrame ? -0.5 : 0.5) * kJumpWidths * kSequenceMarkerWidthMm;
    case SequenceMotion::Still:
        break;
    }
    return 0.0;
}

// As the live run picks: the pattern's match of the best confidence.
const MarkerInfo* BestMatch(const MarkerInfo* markers, int count, int id)
{
    const MarkerInfo* best = nullptr;
    for (int i = 0; i < count; ++i)
        if (markers[i].id == id && (!best || markers[i].cf > best->cf))
            best = &markers[i];
    return best;
}

// The rotation taking `truth` to `pose`, as a rotation vector (radians).
void RotationError(const double pose[3][4], const double truth[3][4], double vector[3])
{
    double r[3][3] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                r[i][j] += pose[i][k] * truth[j][k];
    const double axis[3] = {r[2][1] - r[1][2], r[0][2] - r[2][0], r[1][0] - r[0][1]};
    const double sine = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]) / 2;
    const double cosine = (r[0][0] + r[1][1] + r[2][2] - 1.0) / 2.0;
    const double angle = std::atan2(sine, cosine);
    const double scale = sine > 1e-12 ? angle / (2.0 * sine) : 0.5;
    for (int k = 0; k < 3; ++k)
        vector[k] = axis[k] * scale;
}

// Spread about the mean of 3-vectors: the root of the summed variances.
double Spread(const std::vector<std::array<double, 3>>& values)
{
    if (values.size() < 2)
        return 0.0;
    double mean[3] = {}, variance = 0.0;
    for (const auto& v : values)
        for (int k = 0; k < 3; ++k)
            mean[k] += v[k] / values.size();
    for (const auto& v : values)
        for (int k = 0; k < 3; ++k)
            variance += (v[k] - mean[k]) * (v[k] - mean[k]) / (values.size() - 1);
    return std::sqrt(variance);
}

double RootMeanSquare(const std::vector<std::array<double, 3>>& values)
{
    double sum = 0.0;
    for (const auto& v : values)
        sum += v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    return values.empty() ? 0.0 : std::sqrt(sum / values.size());
}
} // namespace

PoseSequence DetectPoseSequence(const SequenceSpec& spec)
{
    PoseSequence sequence;
    sequence.spec = spec;
    sequence.camera = BenchCamera(kWidth, kHeight);
    const double speed = spec.motion == SequenceMotion::Slow   ? kSlowMmPerSecond
                         : spec.motion == SequenceMotion::Fast ? kFastMmPerSecond
                                                               : 0.0;
    sequence.stepMm = speed * kSequenceFrameSeconds;
    if (spec.motion == SequenceMotion::Jump)
        sequence.jumpFrame = spec.frames / 2;
    LoadBenchPatterns(sequence.camera);

    const double depthMm = sequence.camera.mat[0][0] * kSequenceMarkerWidthMm / kMarkerSidePx;
    const double firstCentrePx[2] = {
        sequence.camera.mat[0][2] + sequence.camera.mat[0][0] * PositionX(sequence, 0) / depthMm,
        sequence.camera.mat[1][2]};
    const SynthOptions look = LookOptions(spec.look, firstCentrePx);
    SynthBackground background;
    background.grey = 160;
    const DetectionThreshold threshold; // adaptive, as a live run
    for (int f = 0; f < spec.frames; ++f)
    {
        SynthMarker marker;
        marker.picture = &BenchPicture(0);
        marker.widthMm = kSequenceMarkerWidthMm;
        marker.marginMm = kSequenceMarkerWidthMm / 5.0;
        const double position[3] = {PositionX(sequence, f), 0.0, depthMm};
        markerPose(kTurnDeg, kTiltDeg, kTiltAxisDeg, position, marker.cameraFromMarker);
        SynthOptions options = look;
        options.seed = 100 + f;
        const SynthFrame frame =
            CFrameRenderer(sequence.camera, options).Render({marker}, background);

        SequenceFrame result;
        std::memcpy(result.truth, frame.truths[0].cameraFromMarker, sizeof result.truth);
        MarkerInfo* markers = nullptr;
        int count = 0;
        if (detectMarkers(frame.bgra.data(), threshold, &markers, &count) == 0)
            if (const MarkerInfo* best = BestMatch(markers, count, 0))
            {
                result.found = true;
                result.marker = *best;
            }
        sequence.frames.push_back(result);
    }
    return sequence;
}

PoseFigures MeasurePoses(const PoseSequence& sequence, const CPattern& pattern, PoseSource source)
{
    CPattern settings = pattern;
    CPatternState state(&settings);
    std::vector<std::array<double, 3>> translationErrors, rotationErrors;
    PoseFigures figures;
    int found = 0;
    double along = 0.0;
    const int frames = static_cast<int>(sequence.frames.size());
    for (int f = 0; f < frames; ++f)
    {
        const SequenceFrame& frame = sequence.frames[f];
        found += frame.found;
        if (!frame.found || !state.Update(frame.marker))
        {
            state.SetVisible(false);
            continue;
        }
        state.SetVisible(true);
        const double(&pose)[3][4] = source == PoseSource::Raw ? state.m_current : state.m_average;
        std::array<double, 3> translation;
        for (int k = 0; k < 3; ++k)
            translation[k] = pose[k][3] - frame.truth[k][3];
        if (f >= sequence.jumpFrame && figures.arrivalFrames < 0 && sequence.jumpFrame >= 0 &&
            RootMeanSquare({translation}) < kArrivedShare * pattern.m_nWidth)
            figures.arrivalFrames = f - sequence.jumpFrame;
        if (f < sequence.spec.warmupFrames)
            continue;
        std::array<double, 3> rotation;
        RotationError(pose, frame.truth, rotation.data());
        for (double& value : rotation)
            value *= 180.0 / kPi;
        translationErrors.push_back(translation);
        rotationErrors.push_back(rotation);
        along -= translation[0];
    }
    figures.foundShare = frames > 0 ? static_cast<double>(found) / frames : 0.0;
    figures.jitterMm = Spread(translationErrors);
    figures.jitterDeg = Spread(rotationErrors);
    figures.errorMm = RootMeanSquare(translationErrors);
    figures.errorDeg = RootMeanSquare(rotationErrors);
    if (sequence.stepMm > 0.0 && !translationErrors.empty())
        figures.lagFrames = along / translationErrors.size() / sequence.stepMm;
    if (sequence.jumpFrame >= 0 && figures.arrivalFrames < 0)
        figures.arrivalFrames = frames - sequence.jumpFrame;
    return figures;
}

CPattern SequencePattern(PoseFilter filter)
{
    CPattern pattern;
    pattern.m_nWidth = static_cast<int>(kSequenceMarkerWidthMm);
    pattern.m_nId = 0;
    pattern.m_filter = filter;
    return pattern;
}
