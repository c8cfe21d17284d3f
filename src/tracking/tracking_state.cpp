#include "tracking/tracking_state.h"

void TrackingState::Reset()
{
    camera = CameraParam();
    xsize = 0;
    ysize = 0;
    hasCamera = false;
    patterns = PatternTable();
    detection.Reset();
}

TrackingState& trackingState()
{
    static TrackingState state;
    return state;
}
