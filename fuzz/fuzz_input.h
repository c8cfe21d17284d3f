#pragma once
// What the fuzz targets share: each input as a real file for the readers
// that take a path, and the small frames of the detection target.

#include "tracking/camera_param.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A scratch folder made once per process and removed at its exit.
const std::string& FuzzFolder();

// Writes the input to `name` in the scratch folder and returns its path.
std::string InputAsFile(const uint8_t* data, size_t size, const char* name);

// The detection target's input: the frame's width and height (each
// kFrameMinSide plus the byte's value modulo kFrameSideSpan), the
// threshold, then one grey level a pixel, row by row; pixels the input does
// not reach are white.
constexpr int kFrameMinSide = 8;
constexpr int kFrameSideSpan = 121;
constexpr size_t kFrameHeaderBytes = 3;

struct FuzzFrame
{
    int width = 0;
    int height = 0;
    int threshold = 0;
    std::vector<unsigned char> bgra;
};

FuzzFrame DecodeFuzzFrame(const uint8_t* data, size_t size);

// An ideal pinhole camera of that size, about 53 degrees across.
CameraParam FuzzCamera(int width, int height);
