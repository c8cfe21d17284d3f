#pragma once
// Last stage of detection: identities smoothed over a few frames. A marker
// keeps the best identity recently seen at its place, and a marker missed in
// this frame is still reported for two more frames with its old record.

#include "tracking/detection_state.h"
#include "tracking/marker_evidence.h"

// Below it a match is no identification; the same cut as identification's.
constexpr double kMinConfidence = kMarkerRules.minConfidence;
constexpr int kHistoryFrames = 3;      // frames a record stays in the history

// Applies the history to this frame's results, then records them in it.
// The history holds one entry per pattern; records it reports are appended
// to the results. Returns how many results were seen in this frame: the
// records reported from the history follow them.
int applyMarkerHistory(std::vector<MarkerInfo>& results, std::vector<HistoryEntry>& history);
