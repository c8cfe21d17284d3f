#pragma once
// The first safety layer in front of lib3ds 1.3, which trusts its input: a
// walk over a 3DS file held in memory that refuses what is known to crash
// the library or make it loop, before the library sees a byte. It checks
// the chunk structure (every chunk inside its parent, none shorter than its
// header, bounded depth and count) and the contents lib3ds uses unchecked:
// name lengths against its buffers, face and material-group indices
// against their counts, texture-coordinate counts against the points, key
// counts against their chunk, and the keyframer's parent links.

#include <cstddef>
#include <string>
#include <vector>

constexpr int kMax3dsDepth = 16;
constexpr size_t kMax3dsChunks = 1000000;
// Longer animations are taken as damage: the probe evaluates every frame.
constexpr long kMax3dsFrames = 100000;
// Drawing walks the node tree recursively.
constexpr size_t kMax3dsNodeDepth = 64;

struct C3dsCheckReport
{
    bool bPassed = false;
    std::string strReason; // why the file was refused
    // First texture map names of the materials, in file order, each once.
    std::vector<std::string> textureNames;
};

C3dsCheckReport Check3dsBytes(const std::string& bytes);
