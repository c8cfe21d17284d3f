// The tracking of a published site, built to WebAssembly: the page's
// worker describes the project's trackers through these calls, hands over
// each camera frame and reads back every tracker's pose. Pattern and camera
// files are read from the module's in-memory file system, where the worker
// writes them, so they are loaded by the same code as on the desktop.

#include "formats/camera_file.h"
#include "project/frame_tracking.h"
#include "project/tracker.h"
#include "tracking/camera_param.h"
#include "tracking/gl_conversion.h"
#include "tracking/tracking_state.h"

#include <emscripten/emscripten.h>

#include <cmath>
#include <iterator>
#include <list>
#include <vector>

namespace
{
// Doubles per tracker in the pose table: found, then the 16 of the pose.
constexpr int kPoseStride = 17;

struct WebRun
{
    std::list<CTracker> trackers;
    std::list<CPatternEntry> registry;
    RunThreshold threshold;
    CameraParam camera;
    std::vector<unsigned char> frame;
    std::vector<double> poses;
    double projection[16] = {};
    bool started = false;
};

WebRun& Run()
{
    static WebRun run;
    return run;
}

CTracker* TrackerAt(int index)
{
    WebRun& run = Run();
    if (run.started || index < 0 || index >= static_cast<int>(run.trackers.size()))
        return nullptr;
    return &*std::next(run.trackers.begin(), index);
}
} // namespace

extern "C" {

// Forgets the trackers and every pattern slot: a new project follows.
EMSCRIPTEN_KEEPALIVE void zt_reset()
{
    WebRun& run = Run();
    for (CTracker& tracker : run.trackers)
        tracker.ReleaseRelations();
    ReleasePatternRegistry(run.registry);
    run = WebRun();
    trackingState().Reset();
}

// Index of the new tracker; -1 once the run has started.
EMSCRIPTEN_KEEPALIVE int zt_add_tracker(const char* name)
{
    WebRun& run = Run();
    if (run.started)
        return -1;
    run.trackers.emplace_back();
    run.trackers.back().m_strName = name;
    return static_cast<int>(run.trackers.size()) - 1;
}

// A pattern file of the tracker with its printed width and filter settings;
// the first one added is the tracker's reference unless zt_set_reference
// says otherwise. False for an unknown tracker or absurd values.
EMSCRIPTEN_KEEPALIVE int zt_add_pattern(int tracker, const char* file, int width, int frames,
                                        float tolerance, int adaptive, float minCutoff,
                                        float speedGain)
{
    CTracker* pTracker = TrackerAt(tracker);
    if (!pTracker || width <= 0 || frames <= 0 || !std::isfinite(tolerance) ||
        !(minCutoff >= kMinFilterCutoff && minCutoff <= kMaxFilterSetting) ||
        !(speedGain >= 0.0f && speedGain <= kMaxFilterSetting))
        return 0;
    const bool first = pTracker->m_patterns.empty();
    CPattern& pattern = pTracker->m_patterns.emplace_back();
    pattern.m_strName = file;
    pattern.m_strFile = file;
    pattern.m_nWidth = width;
    pattern.m_nFrames = frames;
    pattern.m_fTolerance = tolerance;
    pattern.m_filter = adaptive ? PoseFilter::Adaptive : PoseFilter::RunningAverage;
    pattern.m_fMinCutoff = minCutoff;
    pattern.m_fSpeedGain = speedGain;
    if (first)
        pTracker->m_posReference = pTracker->m_patterns.begin();
    return 1;
}

// The stored form: a position in the tracker's patterns, the count for none.
EMSCRIPTEN_KEEPALIVE int zt_set_reference(int tracker, int index)
{
    CTracker* pTracker = TrackerAt(tracker);
    if (!pTracker)
        return 0;
    pTracker->SetReferenceIndex(index);
    return 1;
}

EMSCRIPTEN_KEEPALIVE void zt_set_threshold(int value, int automatic, int adaptive)
{
    RunThreshold& threshold = Run().threshold;
    threshold.nValue = value;
    threshold.bAutomatic = automatic != 0;
    threshold.bAdaptive = adaptive != 0;
    threshold.nCountdown = kThresholdInterval - 1;
}

// Starts the run for frames of xsize x ysize: with the camera file when it
// is given and loads, else an ideal camera of the given horizontal field of
// view. Loads the pattern files and returns how many could not be loaded,
// or -1 when the camera cannot be used.
EMSCRIPTEN_KEEPALIVE int zt_start(int xsize, int ysize, const char* cameraFile, double fovDegrees)
{
    WebRun& run = Run();
    if (run.started || xsize <= 0 || ysize <= 0 || xsize > 8192 || ysize > 8192)
        return -1;
    CameraParam loaded;
    if (cameraFile && *cameraFile)
    {
        if (loadCameraParam(cameraFile, 1, &loaded) < 0)
            return -1;
    }
    else
    {
        if (!(fovDegrees > 1.0 && fovDegrees < 179.0))
            return -1;
        loaded = IdealPinholeCamera(xsize, ysize, FocalForFieldOfView(xsize, fovDegrees),
                                    0.5 * xsize, 0.5 * ysize);
    }
    if (changeCameraParamSize(loaded, xsize, ysize, &run.camera) < 0 ||
        initCameraParam(run.camera) < 0)
        return -1;
    // Its y runs with the image's rows, down: the page turns the drawing
    // canvas over rather than the projection, so faces keep their winding.
    convertToGlProjection(run.camera, kLiveNearPlane, kLiveFarPlane, run.projection);

    BuildPatternSlots(run.trackers, run.registry, {});
    run.frame.assign(static_cast<size_t>(xsize) * ysize * 4, 0);
    run.poses.assign(run.trackers.size() * kPoseStride, 0.0);
    run.started = true;
    int failed = 0;
    for (const CPatternEntry& entry : run.registry)
        failed += entry.m_state.m_nId < 0 ? 1 : 0;
    return failed;
}

// Where the worker writes the next frame: xsize * ysize * 4 bytes.
EMSCRIPTEN_KEEPALIVE unsigned char* zt_frame() { return Run().frame.data(); }

// Tracks the frame in zt_frame(); `rgba` when its bytes are in a canvas's
// order rather than the desktop's BGRA. Returns how many trackers were
// found, -1 before zt_start.
EMSCRIPTEN_KEEPALIVE int zt_track(int rgba)
{
    WebRun& run = Run();
    if (!run.started)
        return -1;
    unsigned char* pixels = run.frame.data();
    if (rgba)
        for (size_t k = 0; k < run.frame.size(); k += 4)
            std::swap(pixels[k], pixels[k + 2]);
    run.threshold.Step(pixels, run.camera.xsize, run.camera.ysize);
    TrackFrame(pixels, run.threshold.ForDetection(), run.trackers, run.registry, true);
    int found = 0;
    double* out = run.poses.data();
    for (const CTracker& tracker : run.trackers)
    {
        out[0] = tracker.m_bFound ? 1.0 : 0.0;
        const double* pose = tracker.m_pose.GetData();
        std::copy(pose, pose + 16, out + 1);
        found += tracker.m_bFound ? 1 : 0;
        out += kPoseStride;
    }
    return found;
}

// Per tracker: 1 when found, then its pose, column-major, as `track` writes it.
EMSCRIPTEN_KEEPALIVE const double* zt_poses() { return Run().poses.data(); }

// The camera's projection, column-major, y down the image.
EMSCRIPTEN_KEEPALIVE const double* zt_projection() { return Run().projection; }

// The threshold the last frame was taken at.
EMSCRIPTEN_KEEPALIVE int zt_threshold() { return Run().threshold.nValue; }
}
