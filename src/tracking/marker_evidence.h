#pragma once
// Whether a square that correlates with a pattern is a printed marker at all.
// A real photograph holds many dark quadrilaterals (shadows, leaves, petals)
// whose inside correlates 0.5 or more with some pattern; a printed marker has
// a dark, even border band with lighter paper around it, a picture with
// contrast inside, and a match that stands out from every other pattern and
// turn. Identification measures these (measureMarkerEvidence) and
// judgeMarker applies the rules below; a square that fails keeps its corners
// but no identity.

#include "tracking/pattern_table.h"

// The best match of a sample and the runners-up it has to stand out from.
struct PatternMatch
{
    int id = -1;
    int dir = -1;
    double cf = 0.0;
    double otherPatternCf = 0.0; // best score of any other slot, any turn
    double otherTurnCf = 0.0;    // best score of the same slot in another turn
};

// Grey levels (mean of the three channels, 0..255) read around and inside
// the square through the homography of pattern_sampling.h.
struct MarkerEvidence
{
    double borderGrey = 0.0;   // mean along the middle of the border band
    double borderSpread = 0.0; // standard deviation along it
    double marginGrey = 0.0;   // mean along a ring just outside the square
    double insideSpread = 0.0; // spread of the sample's values (patternSpread)
};

// The rules' cuts. Each was chosen from the measured scores of true markers
// (rendered scenes, markers of 20 to 40 px composited into photographs) and
// of every square found in a corpus of real photographs without markers;
// docs/PERFORMANCE.md records both distributions and the command that
// prints them (real_picture_bench --survey).
struct MarkerRules
{
    // Least correlation with the best pattern. True markers of 24 px and
    // more score 0.72 and up, of 20 px down to 0.50; the squares of
    // photographs score anywhere up to 0.93 against smooth colour patterns,
    // so this cut cannot stop them and the border rules do. Higher loses
    // the smallest markers.
    double minConfidence = 0.5;
    // Least lead of the best score over any other pattern or turn. True
    // markers of 24 px and more lead by 0.03 and up; a sample that fits
    // several patterns or turns about equally tells nothing about which.
    double minLead = 0.01;
    // Least contrast between paper and border, as a share of the paper's
    // grey: ink absorbs most light whatever the light is, so the share holds
    // in shadow and glare alike. True markers: 0.86 and up; squares of
    // photographs: median 0.20, 95% under 0.45. Higher loses markers under
    // glare or printed on grey paper.
    double minBorderContrast = 0.6;
    // Largest spread along the border band over the paper-to-border
    // contrast: printed ink is even; a shadow or an object's edge is not.
    // True markers: under 0.04; squares of photographs: 95% above 0.13.
    double maxBorderSpread = 0.12;
    // Least spread of the sample's values over the paper-to-border contrast:
    // a flat inside carries no picture to identify. True markers: 0.11 and
    // up (a smooth colour picture); a blob of clutter or a flat petal: near 0.
    double minInsideSpread = 0.04;
};

constexpr MarkerRules kMarkerRules{};

enum class MarkerVerdict
{
    Marker,
    LowConfidence,
    SmallLead,
    WeakBorder,
    UnevenBorder,
    FlatInside,
};

// What identification measured of one square and what it made of it.
struct SquareJudgement
{
    MarkerVerdict verdict = MarkerVerdict::LowConfidence;
    PatternMatch match;
    MarkerEvidence evidence;
};

// Reads the border band, the margin ring and the sample's cell greys. `h` is
// the reference-to-image homography of the square (referenceToImage).
void measureMarkerEvidence(const unsigned char* frame, int xsize, int ysize, const double h[8],
                           const unsigned char sample[kPatternValues], MarkerEvidence* evidence);

MarkerVerdict judgeMarker(const PatternMatch& match, const MarkerEvidence& evidence,
                          const MarkerRules& rules = kMarkerRules);

// A short English name of the verdict, for tools that print it.
const char* markerVerdictName(MarkerVerdict verdict);
