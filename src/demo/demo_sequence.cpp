#include "demo/demo_sequence.h"

#include "formats/camera_file.h"

#include "synth/frame_renderer.h"
#include "synth/synth_pose.h"

#include <cmath>

namespace
{
constexpr double kTwoPi = 6.283185307179586;
constexpr int kReferenceCoveredFrom = 35;
constexpr int kReferenceCoveredTo = 60; // first frame seen again
constexpr int kSingleGoneFrom = 70;
constexpr int kSingleGoneTo = 80;

// Slow enough that the pose filter's short average hardly lags behind.
void BoardPose(int frame, double pose[3][4])
{
    const double phase = kTwoPi * frame / kDemoFrames;
    const double position[3] = {-130.0 + 15.0 * std::sin(phase), -10.0 + 12.0 * std::cos(phase),
                                340.0};
    markerPose(6.0 * std::sin(phase), 30.0 + 5.0 * std::sin(phase + 1.0), 30.0, position, pose);
}

void SinglePose(int frame, double pose[3][4])
{
    const double phase = kTwoPi * frame / 60.0;
    const double position[3] = {155.0 + 12.0 * std::sin(phase), 20.0 * std::cos(phase), 420.0};
    markerPose(-20.0 + 5.0 * std::sin(phase), 30.0, 100.0, position, pose);
}

// The second marker sits kDemoBoardSpacingMm along the reference's x axis.
void BesideOnBoard(const double reference[3][4], double second[3][4])
{
    for (int i = 0; i < 3; ++i)
    {
        for (int j = 0; j < 3; ++j)
            second[i][j] = reference[i][j];
        second[i][3] = reference[i][3] + reference[i][0] * kDemoBoardSpacingMm;
    }
}
} // namespace

CameraParam DemoCamera()
{
    constexpr int kWidth = 640;
    constexpr int kHeight = 480;
    constexpr double kFieldOfViewDeg = 60.0;
    const double focal = 0.5 * kWidth / std::tan(0.5 * kFieldOfViewDeg * kTwoPi / 360.0);
    return IdealPinholeCamera(kWidth, kHeight, focal, kWidth / 2.0, kHeight / 2.0);
}

DemoFrameTruth DemoTruthAt(int frame)
{
    DemoFrameTruth truth;
    BoardPose(frame, truth.cameraFromMarker[0]);
    BesideOnBoard(truth.cameraFromMarker[0], truth.cameraFromMarker[1]);
    SinglePose(frame, truth.cameraFromMarker[2]);
    truth.visible[0] = frame < kReferenceCoveredFrom || frame >= kReferenceCoveredTo;
    truth.visible[1] = true;
    truth.visible[2] = frame < kSingleGoneFrom || frame >= kSingleGoneTo;
    return truth;
}

SynthFrame RenderDemoFrame(const CameraParam& camera,
                           const SynthPicture* const pictures[kDemoMarkers], int frame)
{
    SynthOptions options;
    options.noiseSigma = 2.0;
    options.blurSigmaPx = 0.6;
    options.lightGradient = 0.1;
    options.seed = static_cast<uint32_t>(frame + 1);
    options.supersampling = 2;
    const CFrameRenderer renderer(camera, options);

    const DemoFrameTruth truth = DemoTruthAt(frame);
    std::vector<SynthMarker> markers;
    for (int k = 0; k < kDemoMarkers; ++k)
    {
        if (!truth.visible[k])
            continue;
        SynthMarker marker;
        marker.picture = pictures[k];
        marker.widthMm = kDemoMarkerWidthMm;
        std::copy(&truth.cameraFromMarker[k][0][0], &truth.cameraFromMarker[k][0][0] + 12,
                  &marker.cameraFromMarker[0][0]);
        markers.push_back(marker);
    }
    SynthBackground background;
    background.blobCount = 40;
    background.seed = 7;
    return renderer.Render(markers, background);
}
