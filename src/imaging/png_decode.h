#pragma once
// PNG decoding through libpng rather than DevIL: DevIL 1.7 keeps the buffers
// of a PNG whose image data turns out damaged (up to megabytes per open),
// while libpng's simplified reader frees everything on every error.

#include "imaging/bgra_image.h"

#include <string>

// Decodes the bytes of a whole PNG file (its header already checked by
// ReadImageHeader) into *image, row 0 on top. False with libpng's one-line
// reason in *reason; *image is then left as it was.
bool DecodePng(const unsigned char* bytes, size_t size, BgraImage* image, std::string* reason);
