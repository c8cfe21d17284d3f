#include "tracking/detection.h"

#include "tracking/contour.h"
#include "tracking/labeling.h"
#include "tracking/line_fit.h"
#include "tracking/marker_history.h"
#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

int detectMarkers(const unsigned char* frame, int threshold, MarkerInfo** markers, int* count)
{
    TrackingState& tracking = trackingState();
    DetectionState& state = tracking.detection;
    *markers = state.results;
    *count = 0;
    if (!frame || !tracking.hasCamera || tracking.xsize < 1 || tracking.ysize < 1)
        return -1;

    if (labelImage(frame, tracking.xsize, tracking.ysize, threshold, state.labels) < 0)
    {
        state.resultCount = 0;
        state.seenCount = 0;
        return -1;
    }
    findMarkerCandidates(state);

    int found = 0;
    for (int i = 0; i < state.candidateCount; ++i)
    {
        const Candidate& candidate = state.candidates[i];
        MarkerInfo& marker = state.results[found];
        marker = MarkerInfo();
        if (fitMarkerLines(candidate, tracking.camera.distFactor, state.fitScratch, marker.line,
                           marker.vertex) < 0)
            continue;
        identifyMarker(frame, candidate.x.data(), candidate.y.data(), candidate.vertex, &marker.id,
                       &marker.dir, &marker.cf);
        marker.area = candidate.area;
        marker.pos[0] = candidate.pos[0];
        marker.pos[1] = candidate.pos[1];
        ++found;
    }

    state.seenCount = applyMarkerHistory(state.results, found, state.history, state.historyCount);
    state.resultCount = found;
    *count = found;
    return 0;
}

int detectedMarkersSeen() { return trackingState().detection.seenCount; }
