#include "tracking_state.h"

void TrackingState::Reset()
{
    camera = CameraParam();
    xsize = 0;
    ysize = 0;
    hasCamera = false;
    patterns.Reset();
    detection.Reset();
}

TrackingState& trackingState()
{
    static TrackingState state;
    return state;
}
