#pragma once
// The library's table of loaded patterns: 50 slots, each with its template
// in four orientations. Lives in TrackingState; nothing is allocated per
// pattern.

constexpr int kPatternSide = 16;
constexpr int kPatternChannels = 3;
constexpr int kPatternValues = kPatternSide * kPatternSide * kPatternChannels; // 768
constexpr int kPatternOrientations = 4;
constexpr int kPatternSlots = 50;

struct PatternTable
{
    int inUse[kPatternSlots] = {};
    // Inverted, mean-free values laid out [row][column][channel].
    int templates[kPatternSlots][kPatternOrientations][kPatternValues] = {};
    double norms[kPatternSlots][kPatternOrientations] = {};
    int count = -1; // slots in use; -1 until the first load
};
