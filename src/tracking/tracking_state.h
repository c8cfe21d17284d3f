#pragma once
// The tracking library's process-wide state: the current camera, the loaded
// patterns and detection's tables and history. The free functions all use
// the one instance from trackingState(); tests call Reset() between cases.
// Only the user-interface thread touches it.

#include "tracking/camera_param.h"
#include "tracking/detection_state.h"
#include "tracking/pattern_table.h"

struct TrackingState
{
    CameraParam camera;   // copy made by initCameraParam
    int xsize = 0;        // current image size, equal to camera's
    int ysize = 0;
    bool hasCamera = false;
    PatternTable patterns;
    DetectionState detection;

    void Reset();
};

TrackingState& trackingState();
