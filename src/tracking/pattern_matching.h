#pragma once
// Pattern files and matching: loading patterns into the library's slots and
// identifying the picture inside a detected square.

#include "tracking/marker_evidence.h"
#include "tracking/pattern_table.h"

// Slot 0..49 of the loaded file, or -1 (table full, file missing or
// malformed; the latter two print a diagnostic on standard output).
int loadPattern(const char* path);
// 1 when the slot was in use and is now free, -1 otherwise.
int freePattern(int slot);

// Samples the square whose corners are contour points cornerIndex[0..3] and
// correlates the sample with every loaded pattern in its four orientations.
// Degenerate corners give the uniform-sample result (id 0, dir 0, cf -1).
int identifyMarker(const unsigned char* frame, const int* contourX, const int* contourY,
                   const int cornerIndex[4], int* id, int* dir, double* cf);

// Detection's identification: samples the square with corners[0..3] (image
// pixels, observed, corner k where sides k-1 and k meet), matches the sample
// and judges whether the square is a marker (marker_evidence.h). A square
// judged not to be one gets id -1, dir -1 and cf 0; below the confidence cut
// the match is kept for the history to judge. `judgement` may be null.
MarkerVerdict identifySquare(const unsigned char* frame, const double corners[4][2], int* id,
                             int* dir, double* cf, SquareJudgement* judgement);
