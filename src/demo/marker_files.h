#pragma once
// Turning a picture into a marker: its pattern file and its printable image.

#include "imaging/bgra_image.h"

#include <string>

// The picture fitted into a black square of `squareSide` pixels (a multiple
// of kMarkerSideStepPx); false with a reason when a file cannot be written.
bool MakeMarkerFiles(const BgraImage& picture, int squareSide, const std::string& patternPath,
                     const std::string& imagePath, std::string* error);
