#pragma once
// Second stage of detection: from the labelled regions, the squares worth a
// closer look, each with its traced outer contour and its four corners.

#include "tracking/detection_state.h"

// Traces the outer contour of region `regionNumber` (8-connected, starting on
// the top row of its bounding box) into candidate.x/y, rotated so that it
// starts at the point farthest from the start and closed by a copy of that
// point. 0, or -1 after printing "??? 1", "??? 2" or "??? 3".
int traceContour(const LabelTables& tables, int regionNumber, Candidate& candidate);

// Fills state.candidates from state.labels: regions of plausible size that
// keep off the frame border, trace cleanly and split into four straight
// sides; then drops every candidate that lies inside a larger one.
void findMarkerCandidates(DetectionState& state);

// Of two candidates whose centroids are closer (squared) than a quarter of an
// area, only the larger survives; the order of the rest is kept.
void removeNestedCandidates(std::vector<Candidate>& candidates, int& count);
