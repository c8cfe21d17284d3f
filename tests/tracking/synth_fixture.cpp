#include "synth_fixture.h"

#include "synth/frame_renderer.h"
#include "synth/synth_pose.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kMarkerWidthMm = 80.0;
constexpr double kMarginMm = 16.0;
constexpr int kFrameClearancePx = 6;
constexpr int kPlacementTries = 200;

struct Box
{
    double minX, maxX, minY, maxY;
};

// Bounds of the observed paper outline.
Box PaperBox(const CameraParam& camera, const SynthMarker& marker)
{
    SynthMarker paper = marker;
    paper.widthMm = marker.widthMm + 2.0 * marker.marginMm;
    const SynthTruth truth = CFrameRenderer(camera, SynthOptions()).Truth(paper);
    Box box{1e9, -1e9, 1e9, -1e9};
    for (const auto& corner : truth.observedCorners)
    {
        box.minX = std::min(box.minX, corner[0]);
        box.maxX = std::max(box.maxX, corner[0]);
        box.minY = std::min(box.minY, corner[1]);
        box.maxY = std::max(box.maxY, corner[1]);
    }
    return box;
}

bool Overlap(const Box& a, const Box& b)
{
    return a.minX < b.maxX && b.minX < a.maxX && a.minY < b.maxY && b.minY < a.maxY;
}
} // namespace

SynthOptions RealisticOptions(uint32_t seed)
{
    SynthOptions options;
    options.supersampling = 3;
    options.noiseSigma = 3.0;
    options.blurSigmaPx = 0.6;
    options.lightGradient = 0.15;
    options.lightAngleDeg = seed % 360;
    options.seed = seed;
    return options;
}

SynthMarker PlaceMarker(const CameraParam& camera, const SynthPicture* picture, double widthMm,
                        double sidePx, double turnDeg, double tiltDeg, double tiltAxisDeg,
                        double centreX, double centreY)
{
    const double focalPx = camera.mat[0][0];
    const double depth = focalPx * widthMm / sidePx;
    const double position[3] = {(centreX - camera.mat[0][2]) * depth / focalPx,
                                (centreY - camera.mat[1][2]) * depth / focalPx, depth};
    SynthMarker marker;
    marker.picture = picture;
    marker.widthMm = widthMm;
    marker.marginMm = kMarginMm * widthMm / kMarkerWidthMm;
    markerPose(turnDeg, tiltDeg, tiltAxisDeg, position, marker.cameraFromMarker);
    return marker;
}

std::vector<SceneMarker> RandomScene(const CameraParam& camera,
                                     const std::vector<const SynthPicture*>& pictures,
                                     int maxMarkers, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int wanted = 1 + static_cast<int>(random() % static_cast<uint32_t>(maxMarkers));
    std::vector<int> order(pictures.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), random);

    std::vector<SceneMarker> scene;
    std::vector<Box> boxes;
    for (int tries = 0; tries < kPlacementTries && static_cast<int>(scene.size()) < wanted; ++tries)
    {
        const double side = 45.0 + 105.0 * unit(random);
        const double turn = 360.0 * unit(random);
        const double tilt = 45.0 * unit(random);
        const double tiltAxis = 360.0 * unit(random);
        const double x = camera.xsize * unit(random);
        const double y = camera.ysize * unit(random);
        const int pattern = order[scene.size() % order.size()];
        SceneMarker placed{PlaceMarker(camera, pictures[pattern], kMarkerWidthMm, side, turn, tilt,
                                       tiltAxis, x, y),
                           pattern};
        const Box box = PaperBox(camera, placed.marker);
        if (box.minX < kFrameClearancePx || box.minY < kFrameClearancePx ||
            box.maxX > camera.xsize - kFrameClearancePx ||
            box.maxY > camera.ysize - kFrameClearancePx)
            continue;
        if (std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) { return Overlap(b, box); }))
            continue;
        boxes.push_back(box);
        scene.push_back(placed);
    }
    return scene;
}

std::vector<SynthMarker> MarkersOf(const std::vector<SceneMarker>& scene)
{
    std::vector<SynthMarker> markers;
    for (const SceneMarker& placed : scene)
        markers.push_back(placed.marker);
    return markers;
}
