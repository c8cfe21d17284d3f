#pragma once
// Pattern files and matching: loading patterns into the library's slots and
// identifying the picture inside a detected square.

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
