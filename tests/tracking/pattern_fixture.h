#pragma once
// Pictures and pattern files made by code for the pattern tests.

#include "tracking/pattern_table.h"

#include <array>
#include <string>

// One 16 x 16 x 3 picture, [row][column][channel], row 0 on top.
using PatternPicture = std::array<unsigned char, kPatternValues>;

unsigned char& Cell(PatternPicture& picture, int row, int column, int channel);

// A picture with no symmetry: every cell differs from its turned copies.
PatternPicture AsymmetricPicture(int seed);

// The picture turned a quarter turn counter-clockwise, row 0 on top.
PatternPicture TurnedCounterClockwise(const PatternPicture& picture);

// The text of a pattern file: block h is the picture turned h quarter turns
// counter-clockwise, planes in channel order.
std::string PatternFileText(const PatternPicture& block0);
