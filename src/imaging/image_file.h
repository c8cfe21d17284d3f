#pragma once
// Image files in and out of the frame layout (bgra_image.h): PNG decoded by
// libpng (png_decode.h), the rest decoded and everything encoded by DevIL.
// Reading is bounded: the whole file is read into memory (at most
// kMaxImageFileBytes), its header checked (image_header.h), and only then
// handed to a decoder. Writing encodes in memory and replaces the file
// atomically (replace_file.h), so a failed write leaves the old file as it was.
// Not thread-safe: DevIL keeps one current image per process.

#include "imaging/bgra_image.h"

#include <cstdint>
#include <string>

constexpr int64_t kMaxImageFileBytes = int64_t{256} * 1024 * 1024;

// PNG, JPEG or BMP into *image. False with "<path>: <reason>" in *error; the
// image is then left as it was.
bool ReadImageFile(const std::string& path, BgraImage* image, std::string* error);

// Writes the image as PNG (alpha kept). False with "<path>: <reason>" in *error.
bool WritePngFile(const std::string& path, const BgraImage& image, std::string* error);

// Writes the image as JPEG at `quality` (1..100; alpha dropped): a tenth of
// the PNG's time to write and to decode, for video frames.
bool WriteJpegFile(const std::string& path, const BgraImage& image, int quality,
                   std::string* error);
