#include "tracking/detection.h"

#include "tracking/camera_param.h"
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
    *markers = nullptr;
    *count = 0;
    state.results.clear();
    state.judgements.clear();
    state.seenCount = 0;
    if (!frame || !tracking.hasCamera || tracking.xsize < 1 || tracking.ysize < 1)
        return -1;

    labelImage(frame, tracking.xsize, tracking.ysize, threshold, state.labels);
    findMarkerCandidates(state);

    const EdgeFrame edges{frame, tracking.xsize, tracking.ysize, 3 * threshold};
    for (int i = 0; i < state.candidateCount; ++i)
    {
        const Candidate& candidate = state.candidates[i];
        MarkerInfo marker;
        if (fitMarkerLines(candidate, edges, tracking.camera.distFactor, state.fitScratch, marker.line,
                           marker.vertex) < 0)
            continue;
        // The picture is read between the fitted corners, taken back into
        // the observed image: the contour's corner pixels lie up to a pixel
        // inside the printed square, a sixth of a cell on a 24 px marker.
        double corners[4][2];
        for (int k = 0; k < 4; ++k)
            idealToObserved(tracking.camera.distFactor, marker.vertex[k][0], marker.vertex[k][1],
                            &corners[k][0], &corners[k][1]);
        SquareJudgement judgement;
        identifySquare(frame, corners, &marker.id, &marker.dir, &marker.cf, &judgement);
        state.judgements.push_back(judgement);
        marker.area = candidate.area;
        marker.pos[0] = candidate.pos[0];
        marker.pos[1] = candidate.pos[1];
        state.results.push_back(marker);
    }

    state.seenCount = applyMarkerHistory(state.results, state.history);
    *markers = state.results.data();
    *count = static_cast<int>(state.results.size());
    return 0;
}

int detectedMarkersSeen()
{
    return trackingState().detection.seenCount;
}
