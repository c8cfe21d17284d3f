#pragma once
// The automatic threshold of a live run: halfway between the darkest and the
// brightest grey pixel of a frame, so that black ink and white paper fall on
// either side whatever the exposure.

// frame: xsize x ysize pixels of 4 bytes. 127 when no pixel is grey. Scans
// 16 pixels at a time with SSE2 where the compiler targets it.
int automaticThreshold(const unsigned char* frame, int xsize, int ysize);

// The same scan a pixel at a time: the definition the fast scan must match,
// and what a build without SSE2 runs.
int automaticThresholdPlain(const unsigned char* frame, int xsize, int ysize);

// The automatic threshold for detection's automatic mode: halfway as above,
// unless many pixels lie near that level (a mid-grey background); then the
// least crowded level in the middle half between the darkest and the
// brightest, which keeps ink dark and paper bright without a frame full of
// specks.
int automaticThresholdOffCrowd(const unsigned char* frame, int xsize, int ysize);
