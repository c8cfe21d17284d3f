#pragma once
// The automatic threshold of a live run: halfway between the darkest and the
// brightest grey pixel of a frame, so that black ink and white paper fall on
// either side whatever the exposure.

// frame: xsize x ysize pixels of 4 bytes. 127 when no pixel is grey.
int automaticThreshold(const unsigned char* frame, int xsize, int ysize);
