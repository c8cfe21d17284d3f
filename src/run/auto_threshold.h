#pragma once
// The automatic binarisation threshold: halfway between the darkest and the
// brightest grey pixel of a frame, since markers are printed black on white
// and coloured pixels say nothing about that contrast.

// frame: width x height pixels of 4 bytes. 127 when no pixel is grey.
int ComputeAutomaticThreshold(const unsigned char* frame, int width, int height);
