#include "bench_scenes.h"

#include "synth/frame_renderer.h"
#include "synth/pattern_picture.h"
#include "synth/synth_pose.h"
#include "tracking/auto_threshold.h"
#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kFocalPx640 = 560.0;
constexpr double kMaxSidePx = 280.0;
constexpr double kGridSideShare = 0.42; // marker side over the smaller side of its grid cell

const std::vector<SynthPicture>& Pictures()
{
    static const std::vector<SynthPicture> pictures = {makeBlockPicture(11), makeBlockPicture(12),
                                                       makeBlockPicture(13)};
    return pictures;
}

// Where the four markers sit, as shares of the frame, and how they face.
struct Placement
{
    double x, y, sidePx640, turnDeg, tiltDeg, tiltAxisDeg;
    int picture;
};
constexpr Placement kPlacements[4] = {{0.25, 0.3, 100, 10, 20, 30, 0},
                                      {0.72, 0.3, 80, 100, 30, 130, 1},
                                      {0.3, 0.72, 120, 200, 15, 230, 2},
                                      {0.74, 0.74, 70, 300, 35, 330, 0}};

// A crowd: one marker per cell of a grid about as wide as the frame's
// aspect, with turns, tilts and patterns varying from cell to cell.
std::vector<Placement> GridPlacements(int width, int height, int count)
{
    const int columns =
        std::max(1, static_cast<int>(std::lround(std::sqrt(count * double(width) / height))));
    const int rows = (count + columns - 1) / columns;
    const double cellPx = std::min(double(width) / columns, double(height) / rows);
    std::vector<Placement> placements;
    for (int i = 0; i < count; ++i)
        placements.push_back({(i % columns + 0.5) / columns, (i / columns + 0.5) / rows,
                              kGridSideShare * cellPx * 640.0 / width, 37.0 * i,
                              10.0 + (7 * i) % 25, 53.0 * i, i % kBenchPatternCount});
    return placements;
}
} // namespace

ClipStyle::ClipStyle()
{
    options.noiseSigma = 3.0;
    options.blurSigmaPx = 0.6;
    options.lightGradient = 0.15;
    options.lightAngleDeg = 40.0;
}

ClipStyle UnevenLightStyle(int width, int height)
{
    ClipStyle style;
    style.options.lightLevel = 0.8;
    style.options.lightGradient = 0.2;
    style.options.lightAngleDeg = 0.0;
    // Over the second placement, reaching a little past its paper.
    const double sidePx = kPlacements[1].sidePx640 * width / 640.0;
    style.options.shadow.centrePx[0] = kPlacements[1].x * width;
    style.options.shadow.centrePx[1] = kPlacements[1].y * height;
    style.options.shadow.radiusPx = 0.8 * sidePx;
    style.options.shadow.softnessPx = 0.4 * sidePx;
    style.options.shadow.level = 0.5;
    return style;
}

ClipStyle MotionBlurStyle(double lengthPx, double angleDeg)
{
    ClipStyle style;
    style.options.motionBlurPx = lengthPx;
    style.options.motionBlurAngleDeg = angleDeg;
    return style;
}

CameraParam BenchCamera(int width, int height)
{
    const double scale = width / 640.0;
    CameraParam camera;
    camera.xsize = width;
    camera.ysize = height;
    const double f = kFocalPx640 * scale;
    const double cx = width / 2.0 - 1.5 * scale;
    const double cy = height / 2.0 + 1.3 * scale;
    const double mat[3][4] = {{f, 0, cx, 0}, {0, f, cy, 0}, {0, 0, 1, 0}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            camera.mat[r][c] = mat[r][c];
    camera.distFactor[0] = cx + 2.2 * scale;
    camera.distFactor[1] = cy - 1.7 * scale;
    camera.distFactor[2] = 10.0 / (scale * scale);
    camera.distFactor[3] = 1.0;
    return camera;
}

BenchClip MakeClip(int width, int height, int frameCount, int blobCount, int markerCount,
                   const ClipStyle& style)
{
    BenchClip clip;
    clip.camera = BenchCamera(width, height);
    const std::vector<Placement> placements =
        markerCount == 4 ? std::vector<Placement>(kPlacements, kPlacements + 4)
                         : GridPlacements(width, height, markerCount);
    for (const Placement& p : placements)
        clip.patterns.push_back(p.picture);
    const double scale = width / 640.0;
    SynthBackground background;
    background.grey = style.backgroundGrey;
    background.blobCount = blobCount;
    background.seed = 5;
    for (int i = 0; i < frameCount; ++i)
    {
        const double phase = std::sin(2.0 * kPi * i / frameCount);
        std::vector<SynthMarker> markers;
        for (size_t m = 0; m < placements.size(); ++m)
        {
            const Placement& p = placements[m];
            SynthMarker marker;
            marker.picture = &Pictures()[p.picture];
            marker.widthMm = kBenchMarkerWidthMm;
            marker.marginMm = kBenchMarkerWidthMm / 5.0;
            // Scaled with the frame, but kept below the 100000-pixel region
            // bound that a marker of about 360 px per side would pass.
            const double side = std::min(p.sidePx640 * scale, kMaxSidePx);
            const double depth = kFocalPx640 * scale * kBenchMarkerWidthMm / side;
            const double u = p.x * width + 6.0 * scale * phase;
            const double v = p.y * height - 4.0 * scale * phase;
            double position[3] = {(u - clip.camera.mat[0][2]) * depth / clip.camera.mat[0][0],
                                   (v - clip.camera.mat[1][2]) * depth / clip.camera.mat[1][1],
                                   depth};
            if (style.motion)
            {
                double offset[3] = {0.0, 0.0, 0.0};
                style.motion(i, static_cast<int>(m), offset);
                for (int k = 0; k < 3; ++k)
                    position[k] += offset[k];
            }
            markerPose(p.turnDeg + 3.0 * phase, p.tiltDeg, p.tiltAxisDeg, position,
                       marker.cameraFromMarker);
            markers.push_back(marker);
        }
        SynthOptions options = style.options;
        options.seed = 100 + i;
        clip.frames.push_back(CFrameRenderer(clip.camera, options).Render(markers, background));
        clip.thresholds.push_back(
            automaticThreshold(clip.frames.back().bgra.data(), width, height));
    }
    return clip;
}

const SynthPicture& BenchPicture(int pattern)
{
    return Pictures()[pattern];
}

void LoadPatternPictures(const CameraParam& camera, const std::vector<SynthPicture>& pictures,
                         size_t count)
{
    trackingState().Reset();
    initCameraParam(camera);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zelmora-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    for (size_t i = 0; i < count; ++i)
    {
        const std::string path = (folder / ("pattern" + std::to_string(i) + ".patt")).string();
        writePatternFile(path, pictures[i]);
        loadPattern(path.c_str());
    }
    std::filesystem::remove_all(folder);
}

void LoadBenchPatterns(const CameraParam& camera)
{
    LoadPatternPictures(camera, Pictures(), kBenchPatternCount);
}

const MarkerInfo* ResultAt(const SynthTruth& truth, const MarkerInfo* markers, int count)
{
    double cx = 0.0, cy = 0.0;
    for (const auto& corner : truth.observedCorners)
    {
        cx += corner[0] / 4.0;
        cy += corner[1] / 4.0;
    }
    const double side = std::hypot(truth.observedCorners[1][0] - truth.observedCorners[0][0],
                                   truth.observedCorners[1][1] - truth.observedCorners[0][1]);
    const MarkerInfo* best = nullptr;
    double bestDistance = 0.3 * side;
    for (int i = 0; i < count; ++i)
    {
        const double d = std::hypot(markers[i].pos[0] - cx, markers[i].pos[1] - cy);
        if (d < bestDistance)
        {
            bestDistance = d;
            best = &markers[i];
        }
    }
    return best;
}
