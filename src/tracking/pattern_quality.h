#pragma once
// Checks of a pattern before it is used: a picture that looks alike turned
// gives wrong turns, one without contrast or detail is matched by any plain
// surface, and one close to another pattern is taken for it. The marker
// tools and the tracker dialog warn with these; nothing here refuses.

#include "tracking/pattern_table.h"

#include <array>
#include <string>
#include <vector>

// A pattern's four orientation blocks, as a value.
using PatternBlocks = std::array<std::array<unsigned char, kPatternValues>, kPatternOrientations>;

// The checks' limits, each a correlation of the kind identification
// computes (1 the same picture, 0 unrelated) or a grey level.
struct PatternQualityLimits
{
    // Highest correlation of the picture with itself turned a quarter or a
    // half turn. Identification needs the right turn to lead the others by
    // kMarkerRules.minLead on a marker that scores about 0.85; a picture
    // this alike to its turn cannot give that lead.
    double maxTurnSimilarity = 0.7;
    // Least standard deviation of the picture's cell greys, 0..255: ink and
    // paper under the marker's light differ by about 190, and a picture
    // spread less than this is matched by shading.
    double minContrastGrey = 30.0;
    // Highest share of the picture's variation that a plane (an even
    // gradient of light) explains: such a picture is what a plain, unevenly
    // lit surface looks like.
    double maxPlaneShare = 0.85;
    // Highest correlation with another pattern in any turn: beyond it a
    // marker of one is read as the other once light or blur add their part.
    double maxSimilarity = 0.7;
};

constexpr PatternQualityLimits kPatternQualityLimits{};

struct PatternQuality
{
    double turnSimilarity = 0.0; // highest over a quarter, half and three-quarter turn
    double contrastGrey = 0.0;   // standard deviation of the cell greys
    double planeShare = 0.0;     // share of the variation a plane explains
};

// Correlation between two blocks as identification scores them: inverted,
// mean-free, normalised; 0 when either is uniform.
double patternCorrelation(const unsigned char a[kPatternValues],
                          const unsigned char b[kPatternValues]);

PatternQuality measurePatternQuality(const unsigned char block0[kPatternValues]);

enum class PatternIssue
{
    AlikeTurned,    // value: the turn similarity
    LowContrast,    // value: the contrast in grey levels
    LittleDetail,   // value: the plane's share
    CloseToOther,   // value: the correlation; other: its index in `others`
};

struct PatternWarning
{
    PatternIssue issue = PatternIssue::AlikeTurned;
    double value = 0.0;
    int other = -1;
};

// What is wrong with block 0 of a pattern: turns that look alike, too little
// contrast or detail, and every pattern of `others` it is too close to in
// any of their turns. Empty when nothing is.
std::vector<PatternWarning> checkPattern(const unsigned char block0[kPatternValues],
                                         const std::vector<PatternBlocks>& others,
                                         const PatternQualityLimits& limits = kPatternQualityLimits);

// One English sentence for a warning; `otherName` names the other pattern.
std::string patternWarningText(const PatternWarning& warning, const std::string& otherName);
