#pragma once
// Marker detection: the squares of one frame, with their fitted lines and
// corners and the identity of the pattern inside.

#include "tracking/marker_info.h"
#include "tracking/threshold_mode.h"

// frame: the current camera's xsize x ysize pixels, 4 bytes each. On success
// *markers points into the library's result table (valid until the next
// call) and the function returns 0; -1 without a frame or a camera (count
// 0, and for a fixed threshold outside 0..255). Every square that passes
// the tests is reported, however many. The automatic mode keeps its
// threshold for 26 frames; ClearHistory makes the next frame take it anew.
int detectMarkers(const unsigned char* frame, const DetectionThreshold& threshold,
                  MarkerInfo** markers, int* count);

// The fixed mode at the given threshold, 0..255.
int detectMarkers(const unsigned char* frame, int threshold, MarkerInfo** markers, int* count);

// How many of the last call's markers were seen in that frame itself; the
// ones after them are recent records kept on for a marker that flickered.
int detectedMarkersSeen();
