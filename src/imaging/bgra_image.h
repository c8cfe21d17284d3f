#pragma once
// A picture in the video frame's layout: 4 bytes per pixel in the order blue,
// green, red, alpha, rows without padding, row 0 on top. Plain value type.

#include <cstddef>
#include <vector>

struct BgraImage
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels; // width * height * 4 bytes

    BgraImage() = default;
    BgraImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0) {}

    unsigned char* Pixel(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
    const unsigned char* Pixel(int x, int y) const
    {
        return &pixels[(static_cast<size_t>(y) * width + x) * 4];
    }
};
