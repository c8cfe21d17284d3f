#pragma once
// First stage of detection: binarise the frame and label its dark regions
// (8-connected), with each region's area, centroid, bounding box and first
// pixel, and the mask of dark pixels the contours are traced on.

#include "tracking/adaptive_threshold.h"
#include "tracking/detection_state.h"

// frame: xsize x ysize pixels of 4 bytes; a pixel is dark when the sum of
// its first three bytes is at most 3 * threshold. The outermost rows and
// columns count as bright. Fills `tables`, resized to the frame; however
// speckled the frame, every region is labelled.
void labelImage(const unsigned char* frame, int xsize, int ysize, int threshold,
                LabelTables& tables);

// The same with the adaptive threshold: a pixel is dark when its three
// bytes add up to at most its limit in `map`, begun (or built) for this
// frame, whose size the map gives.
void labelImage(const unsigned char* frame, AdaptiveThresholdMap& map, LabelTables& tables);
