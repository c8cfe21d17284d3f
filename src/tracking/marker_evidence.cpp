#include "tracking/marker_evidence.h"

#include "tracking/pattern_quality.h"
#include "tracking/pattern_sampling.h"

#include <cmath>

namespace
{
// In reference units (the square is 100..110, its border band 100..102.5):
// the middle of the border band, and a ring outside the square far enough
// that the lens blur of the edge has faded on a marker of 20 px.
constexpr double kBorderInset = 1.25;
constexpr double kMarginOutset = 0.8;
// Points read per side on each ring, spread between the corners (which a
// blurred corner rounds off).
constexpr int kRingPointsPerSide = 16;
constexpr double kRingStart = 1.0;
constexpr double kRingEnd = 9.0;

struct RingStats
{
    double mean = 0.0;
    double spread = 0.0;
};

// The square's outline moved `offset` reference units outwards (negative:
// inwards), read at kRingPointsPerSide points on each side.
RingStats ReadRing(const unsigned char* frame, int xsize, int ysize, const double h[8],
                   double offset)
{
    const double low = 100.0 - offset;
    const double high = 110.0 + offset;
    double sum = 0.0;
    double squares = 0.0;
    int n = 0;
    for (int side = 0; side < 4; ++side)
        for (int k = 0; k < kRingPointsPerSide; ++k)
        {
            const double along =
                100.0 + kRingStart + (kRingEnd - kRingStart) * (k + 0.5) / kRingPointsPerSide;
            double X, Y;
            switch (side)
            {
            case 0: X = along; Y = low; break;
            case 1: X = high; Y = along; break;
            case 2: X = 210.0 - along; Y = high; break;
            default: X = low; Y = 210.0 - along; break;
            }
            double x, y;
            if (!mapReference(h, X, Y, &x, &y))
                continue;
            float pixel[3];
            bilinearPixel(frame, xsize, ysize, x, y, pixel);
            const double grey = (pixel[0] + pixel[1] + pixel[2]) / 3.0;
            sum += grey;
            squares += grey * grey;
            ++n;
        }
    RingStats stats;
    if (n == 0)
        return stats;
    stats.mean = sum / n;
    stats.spread = std::sqrt(std::fmax(0.0, squares / n - stats.mean * stats.mean));
    return stats;
}
} // namespace

void measureMarkerEvidence(const unsigned char* frame, int xsize, int ysize, const double h[8],
                           const unsigned char sample[kPatternValues], MarkerEvidence* evidence)
{
    const RingStats border = ReadRing(frame, xsize, ysize, h, -kBorderInset);
    const RingStats margin = ReadRing(frame, xsize, ysize, h, kMarginOutset);
    evidence->borderGrey = border.mean;
    evidence->borderSpread = border.spread;
    evidence->marginGrey = margin.mean;

    evidence->insideSpread = patternSpread(sample);
}

MarkerVerdict judgeMarker(const PatternMatch& match, const MarkerEvidence& evidence,
                          const MarkerRules& rules)
{
    if (match.id < 0 || match.cf < rules.minConfidence)
        return MarkerVerdict::LowConfidence;
    const double contrast = evidence.marginGrey - evidence.borderGrey;
    if (!(evidence.marginGrey > 0.0) || contrast < rules.minBorderContrast * evidence.marginGrey)
        return MarkerVerdict::WeakBorder;
    if (evidence.borderSpread > rules.maxBorderSpread * contrast)
        return MarkerVerdict::UnevenBorder;
    if (evidence.insideSpread < rules.minInsideSpread * contrast)
        return MarkerVerdict::FlatInside;
    const double runnerUp =
        match.otherPatternCf > match.otherTurnCf ? match.otherPatternCf : match.otherTurnCf;
    if (match.cf - runnerUp < rules.minLead)
        return MarkerVerdict::SmallLead;
    return MarkerVerdict::Marker;
}

const char* markerVerdictName(MarkerVerdict verdict)
{
    switch (verdict)
    {
    case MarkerVerdict::Marker: return "marker";
    case MarkerVerdict::LowConfidence: return "low confidence";
    case MarkerVerdict::SmallLead: return "small lead";
    case MarkerVerdict::WeakBorder: return "weak border";
    case MarkerVerdict::UnevenBorder: return "uneven border";
    case MarkerVerdict::FlatInside: return "flat inside";
    }
    return "";
}
