#include "tracking/detection.h"

#include "tracking/auto_threshold.h"
#include "tracking/camera_param.h"
#include "tracking/contour.h"
#include "tracking/labeling.h"
#include "tracking/line_fit.h"
#include "tracking/marker_history.h"
#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

namespace
{
// The automatic threshold is taken from the frame again every this many
// frames: its scan reads the whole frame, and a scene's light changes
// slowly next to a camera's rate.
constexpr int kAutomaticThresholdPeriod = 26;

// Labels the frame's dark regions as the mode says and tells the edge
// refinement what counts as dark there.
void LabelDark(const unsigned char* frame, const DetectionThreshold& threshold,
               TrackingState& tracking, EdgeFrame& edges)
{
    DetectionState& state = tracking.detection;
    if (threshold.mode == ThresholdMode::Adaptive)
    {
        beginAdaptiveThreshold(frame, tracking.xsize, tracking.ysize, state.adaptive);
        labelImage(frame, state.adaptive, state.labels);
        finishAdaptiveThreshold(state.adaptive);
        edges.adaptive = &state.adaptive;
        return;
    }
    int level = threshold.value;
    if (threshold.mode == ThresholdMode::Automatic)
    {
        if (state.automaticCountdown <= 0)
        {
            state.automaticThreshold =
                automaticThresholdOffCrowd(frame, tracking.xsize, tracking.ysize);
            state.automaticCountdown = kAutomaticThresholdPeriod;
        }
        --state.automaticCountdown;
        level = state.automaticThreshold;
    }
    labelImage(frame, tracking.xsize, tracking.ysize, level, state.labels);
    edges.darkSum = 3 * level;
}
} // namespace

int detectMarkers(const unsigned char* frame, int threshold, MarkerInfo** markers, int* count)
{
    return detectMarkers(frame, DetectionThreshold{ThresholdMode::Fixed, threshold}, markers, count);
}

int detectMarkers(const unsigned char* frame, const DetectionThreshold& threshold,
                  MarkerInfo** markers, int* count)
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
    if (threshold.mode == ThresholdMode::Fixed && (threshold.value < 0 || threshold.value > 255))
        return -1;

    EdgeFrame edges{frame, tracking.xsize, tracking.ysize};
    LabelDark(frame, threshold, tracking, edges);
    findMarkerCandidates(state);

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
