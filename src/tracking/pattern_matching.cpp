#include "tracking/pattern_matching.h"

#include "tracking/pattern_sampling.h"
#include "tracking/tracking_state.h"

#include <cmath>

void matchPattern(const PatternTable& table, const unsigned char sample[kPatternValues], int* id,
                  int* dir, double* cf)
{
    int sum = 0;
    for (int i = 0; i < kPatternValues; ++i)
        sum += 255 - sample[i];
    const int mean = sum / kPatternValues;

    int input[kPatternValues];
    int squares = 0;
    for (int i = 0; i < kPatternValues; ++i)
    {
        input[i] = (255 - sample[i]) - mean;
        squares += input[i] * input[i];
    }
    const double datapow = std::sqrt(static_cast<double>(squares));
    if (datapow == 0.0)
    {
        *id = 0;
        *dir = 0;
        *cf = -1.0;
        return;
    }

    double best = 0.0;
    *id = -1;
    *dir = -1;
    for (int slot = 0; slot < kPatternSlots; ++slot)
    {
        if (!table.inUse[slot])
            continue;
        for (int j = 0; j < kPatternOrientations; ++j)
        {
            int dot = 0;
            for (int i = 0; i < kPatternValues; ++i)
                dot += input[i] * table.templates[slot][j][i];
            const double score = (dot / table.norms[slot][j]) * (1.0 / datapow);
            if (score > best)
            {
                best = score;
                *id = slot;
                *dir = j;
            }
        }
    }
    *cf = best;
}

int identifyMarker(const unsigned char* frame, const int* contourX, const int* contourY,
                   const int cornerIndex[4], int* id, int* dir, double* cf)
{
    double corners[4][2];
    for (int k = 0; k < 4; ++k)
    {
        corners[k][0] = contourX[cornerIndex[k]];
        corners[k][1] = contourY[cornerIndex[k]];
    }
    const TrackingState& state = trackingState();
    unsigned char sample[kPatternValues];
    // Degenerate corners give no sample at all; the uniform-sample result is
    // the one the acceptance threshold is sure to reject.
    if (samplePattern(frame, state.xsize, state.ysize, corners, sample) < 0)
    {
        *id = 0;
        *dir = 0;
        *cf = -1.0;
        return 0;
    }
    matchPattern(state.patterns, sample, id, dir, cf);
    return 0;
}
