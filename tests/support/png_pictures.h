#pragma once
// PNG pictures written and read through DevIL, for tests that check what
// was drawn or decoded.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgba8
{
    uint8_t r, g, b, a;
};

// Writes a width x height PNG through DevIL; colourAt(x, y) with y = 0 the
// top row of the picture.
void WritePng(const std::string& path, int width, int height,
              const std::function<Rgba8(int x, int y)>& colourAt);

struct PngPicture
{
    int width = 0;
    int height = 0;
    std::vector<Rgba8> pixels; // row 0 the top of the picture

    const Rgba8& At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Reads a picture through DevIL; an empty picture when it cannot.
PngPicture ReadPng(const std::string& path);
