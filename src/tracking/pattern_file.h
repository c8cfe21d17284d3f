#pragma once
// The pattern file as text: 4 orientation blocks x 3 channel planes x 16 rows
// x 16 columns of decimal intensities, separated by any white space. Shared by
// loadPattern and the marker tools, which need the values as stored.

#include "tracking/pattern_table.h"

#include <string>

enum class PatternFileStatus
{
    Ok,
    CannotOpen,
    ReadError, // fewer than 3072 values, or one that is not an integer in 0..255
};

// Values as stored, laid out blocks[h][(row * 16 + column) * 3 + channel].
// *valuesRead, when given, counts the values read before any error.
PatternFileStatus readPatternFile(const char* path,
                                  unsigned char blocks[kPatternOrientations][kPatternValues],
                                  int* valuesRead = nullptr);

// The text of a pattern file holding the blocks in the same layout, one row
// of 16 values a line; the caller writes it through its own file writer.
std::string patternFileText(const unsigned char blocks[kPatternOrientations][kPatternValues]);

// The pattern's four orientation blocks: block h is block 0 turned h quarter
// turns counter-clockwise, which is how the matcher reads a marker turned
// that way.
void OrientationBlocks(const unsigned char block0[kPatternValues],
                       unsigned char blocks[kPatternOrientations][kPatternValues]);
