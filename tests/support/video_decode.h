#pragma once
// Plays a WebM file back through GStreamer, as a person's player would,
// counting its frames and keeping one of them.

#include <functional>
#include <string>
#include <vector>

struct DecodedVideo
{
    int frames = 0;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> sample; // frame `sampleFrame`, RGBA, top row first
    std::string error;                 // empty when the file played to its end

    // Red, green, blue of the sampled frame at (x, y).
    const unsigned char* At(int x, int y) const { return &sample[(size_t(y) * width + x) * 4]; }
};

// Sees every frame as it is decoded: its number and its RGBA pixels, top
// row first, width x height.
using FrameVisitor = std::function<void(int frame, const unsigned char* rgba)>;

DecodedVideo DecodeWebm(const std::string& path, int sampleFrame,
                        const FrameVisitor& visit = nullptr);
