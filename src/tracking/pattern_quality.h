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
    // half turn. A marker of 20 to 40 px scores 0.7 to 0.95 with its own
    // pattern, and a turn that correlates s with it scores about s times
    // that: at 0.8 the right turn leads by 0.14 to 0.19, no more than a
    // small marker's score varies from frame to frame.
    double maxTurnSimilarity = 0.8;
    // Least spread of the picture's values (patternSpread), 0..255. The
    // insides of the squares real photographs show spread by a median 0.15
    // of their border's contrast, some 30 levels of a pattern whose ink and
    // paper are 0 and 255: a picture spread less is no more varied than the
    // surfaces phantoms come from.
    double minSpread = 30.0;
    // Highest share of the picture's variation that a plane (an even
    // gradient of light) explains: such a picture is what a plain, unevenly
    // lit surface looks like.
    double maxPlaneShare = 0.85;
    // Highest correlation with another pattern in any turn, for the same
    // reason as the turns': beyond it a small marker of one is read as the
    // other once light, blur and compression add their part.
    double maxSimilarity = 0.8;
};

constexpr PatternQualityLimits kPatternQualityLimits{};

struct PatternQuality
{
    double turnSimilarity = 0.0; // highest over a quarter, half and three-quarter turn
    double spread = 0.0;   // patternSpread of the picture
    double planeShare = 0.0;     // share of the variation a plane explains
};

// Correlation between two blocks as identification scores them: inverted,
// mean-free, normalised; 0 when either is uniform.
double patternCorrelation(const unsigned char a[kPatternValues],
                          const unsigned char b[kPatternValues]);

// Root mean square of the 768 values about their common mean: the contrast
// the correlation of identification works with, colour included.
double patternSpread(const unsigned char block[kPatternValues]);

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
