#pragma once
// The two stages behind identifyMarker, exposed for tests and for the marker
// tools: sampling a quadrilateral of a frame into a 16 x 16 x 3 picture, and
// correlating such a picture with the loaded patterns.

#include "tracking/marker_evidence.h"
#include "tracking/pattern_table.h"

// Samples the central half of the quadrilateral corners[0..3] (image pixels,
// in contour order) of a frame of xsize x ysize pixels, 4 bytes each, into
// sample[row][column][channel]; row 0 runs from corner 0 towards corner 1.
// Each cell is the mean of up to 4 x 4 points read by bilinear
// interpolation, about 2 px apart (2 x 2 points in cells over 6 px). Pixels
// outside the frame count as 0. Returns 0, or -1 when the corners are
// degenerate (no homography, or a sample point at infinity): the sample is
// then all zeros.
int samplePattern(const unsigned char* frame, int xsize, int ysize, const double corners[4][2],
                  unsigned char sample[kPatternValues]);
// The same through the homography referenceToImage gave for the corners,
// for a caller that reads the square again with it.
int samplePattern(const unsigned char* frame, int xsize, int ysize, const double corners[4][2],
                  const double h[8], unsigned char sample[kPatternValues]);

// The homography from the reference square (100, 100)..(110, 110), whose
// central half (102.5..107.5) is the picture, onto corners[0..3]: h00, h01,
// h02, h10, h11, h12, h20, h21. False when the corners are degenerate.
bool referenceToImage(const double corners[4][2], double h[8]);
// The image point of reference point (X, Y); false at infinity.
bool mapReference(const double h[8], double X, double Y, double* x, double* y);
// The three channels at (x, y) interpolated between the four nearest
// pixels; pixels outside the frame count as 0.
void bilinearPixel(const unsigned char* frame, int xsize, int ysize, double x, double y,
                   float out[3]);

// Normalised correlation of the sample with every in-use slot in its four
// orientations: the best slot, orientation and score (id -1, dir -1, cf 0
// when nothing correlates positively; id 0, dir 0, cf -1 for a uniform sample).
// The ranked form also gives the runners-up.
void matchPatternRanked(const PatternTable& table, const unsigned char sample[kPatternValues],
                        PatternMatch* match);
void matchPattern(const PatternTable& table, const unsigned char sample[kPatternValues], int* id,
                  int* dir, double* cf);
