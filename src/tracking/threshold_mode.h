#pragma once
// How detection decides which pixels are dark: one threshold given by the
// caller, the automatic one of the frame, or a threshold that follows the
// light from place to place. A caller keeps one DetectionThreshold and hands
// it to detectMarkers with every frame; changing the mode is one assignment.

#include <string>

enum class ThresholdMode
{
    Fixed,     // value, the same over the whole frame
    Automatic, // halfway between the darkest and brightest grey pixel, renewed periodically
    Adaptive,  // each pixel against the mean of its neighbourhood
};

struct DetectionThreshold
{
    ThresholdMode mode = ThresholdMode::Adaptive;
    int value = 100; // grey level 0..255, read in the fixed mode only
};

// "adaptive", "auto" or a grey level 0..255. False, with a message naming
// what was expected, for anything else.
bool parseDetectionThreshold(const std::string& text, DetectionThreshold* threshold,
                             std::string* error);
