#include "tracking/pattern_quality.h"

#include "tracking/pattern_file.h"

#include <cmath>
#include <cstdio>

namespace
{
constexpr int kCells = kPatternSide * kPatternSide;

std::string Format(const char* text, double value)
{
    char line[256];
    std::snprintf(line, sizeof line, text, value);
    return line;
}
} // namespace

double patternCorrelation(const unsigned char a[kPatternValues],
                          const unsigned char b[kPatternValues])
{
    double meanA = 0.0, meanB = 0.0;
    for (int i = 0; i < kPatternValues; ++i)
    {
        meanA += a[i];
        meanB += b[i];
    }
    meanA /= kPatternValues;
    meanB /= kPatternValues;
    double dot = 0.0, normA = 0.0, normB = 0.0;
    for (int i = 0; i < kPatternValues; ++i)
    {
        // Inverting both changes no product: (255 - a) - mean(255 - a) is
        // -(a - mean a).
        const double da = a[i] - meanA;
        const double db = b[i] - meanB;
        dot += da * db;
        normA += da * da;
        normB += db * db;
    }
    if (normA == 0.0 || normB == 0.0)
        return 0.0;
    return dot / std::sqrt(normA * normB);
}

double patternSpread(const unsigned char block[kPatternValues])
{
    double sum = 0.0, squares = 0.0;
    for (int i = 0; i < kPatternValues; ++i)
    {
        sum += block[i];
        squares += static_cast<double>(block[i]) * block[i];
    }
    const double mean = sum / kPatternValues;
    return std::sqrt(std::fmax(0.0, squares / kPatternValues - mean * mean));
}

PatternQuality measurePatternQuality(const unsigned char block0[kPatternValues])
{
    PatternQuality quality;
    unsigned char blocks[kPatternOrientations][kPatternValues];
    OrientationBlocks(block0, blocks);
    for (int h = 1; h < kPatternOrientations; ++h)
        quality.turnSimilarity =
            std::fmax(quality.turnSimilarity, patternCorrelation(blocks[0], blocks[h]));

    // Least-squares plane v = a + b x + c y over each channel's cells; x and
    // y run symmetrically about 0, so the three terms are independent.
    double variation = 0.0, explained = 0.0, squares = 0.0;
    for (int i = 0; i < kCells; ++i)
    {
        const double x = i % kPatternSide - 7.5;
        squares += x * x; // the same sum for y
    }
    for (int c = 0; c < kPatternChannels; ++c)
    {
        double mean = 0.0;
        for (int i = 0; i < kCells; ++i)
            mean += block0[kPatternChannels * i + c];
        mean /= kCells;
        double alongX = 0.0, alongY = 0.0;
        for (int i = 0; i < kCells; ++i)
        {
            const double v = block0[kPatternChannels * i + c] - mean;
            variation += v * v;
            alongX += v * (i % kPatternSide - 7.5);
            alongY += v * (i / kPatternSide - 7.5);
        }
        explained += (alongX * alongX + alongY * alongY) / squares;
    }
    if (variation > 0.0)
        quality.planeShare = explained / variation;
    quality.spread = patternSpread(block0);
    return quality;
}

std::vector<PatternWarning> checkPattern(const unsigned char block0[kPatternValues],
                                         const std::vector<PatternBlocks>& others,
                                         const PatternQualityLimits& limits)
{
    std::vector<PatternWarning> warnings;
    const PatternQuality quality = measurePatternQuality(block0);
    if (quality.turnSimilarity > limits.maxTurnSimilarity)
        warnings.push_back({PatternIssue::AlikeTurned, quality.turnSimilarity});
    if (quality.spread < limits.minSpread)
        warnings.push_back({PatternIssue::LowContrast, quality.spread});
    else if (quality.planeShare > limits.maxPlaneShare)
        warnings.push_back({PatternIssue::LittleDetail, quality.planeShare});
    for (size_t k = 0; k < others.size(); ++k)
    {
        double closest = 0.0;
        for (int h = 0; h < kPatternOrientations; ++h)
            closest = std::fmax(closest, patternCorrelation(block0, others[k][h].data()));
        if (closest > limits.maxSimilarity)
            warnings.push_back({PatternIssue::CloseToOther, closest, static_cast<int>(k)});
    }
    return warnings;
}

std::string patternWarningText(const PatternWarning& warning, const std::string& otherName)
{
    switch (warning.issue)
    {
    case PatternIssue::AlikeTurned:
        return Format("the picture looks nearly the same turned a quarter or a half turn "
                      "(correlation %.2f): markers will be read in wrong turns",
                      warning.value);
    case PatternIssue::LowContrast:
        return Format("the picture has too little contrast (its values spread by %.0f of 255): "
                      "plain surfaces will be taken for it",
                      warning.value);
    case PatternIssue::LittleDetail:
        return Format("the picture has too little detail (%.0f%% of it is an even gradient): "
                      "unevenly lit plain surfaces will be taken for it",
                      100.0 * warning.value);
    case PatternIssue::CloseToOther:
        return "the picture is too close to " + otherName +
               Format(" (correlation %.2f): one will be read as the other", warning.value);
    }
    return std::string();
}
