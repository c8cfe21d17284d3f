#pragma once
// The labeling written the plain way, for comparison: every merge rewrites
// the whole equivalence table. Slow on noisy frames, obviously right.

#include "tracking/detection_state.h"

void labelImageReference(const unsigned char* frame, int xsize, int ysize, int threshold,
                         LabelTables& tables);
