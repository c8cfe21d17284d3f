#include "tracking/pattern_matching.h"

#include "tracking/pattern_sampling.h"
#include "tracking/tracking_state.h"

#include <cmath>

void matchPatternRanked(const PatternTable& table, const unsigned char sample[kPatternValues],
                        PatternMatch* match)
{
    *match = PatternMatch();
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
        match->id = 0;
        match->dir = 0;
        match->cf = -1.0;
        return;
    }

    double scores[kPatternSlots][kPatternOrientations] = {};
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
            scores[slot][j] = score;
            if (score > match->cf)
            {
                match->cf = score;
                match->id = slot;
                match->dir = j;
            }
        }
    }
    if (match->id < 0)
        return;
    for (int slot = 0; slot < kPatternSlots; ++slot)
    {
        if (!table.inUse[slot])
            continue;
        for (int j = 0; j < kPatternOrientations; ++j)
        {
            double& runnerUp = slot == match->id ? match->otherTurnCf : match->otherPatternCf;
            if ((slot != match->id || j != match->dir) && scores[slot][j] > runnerUp)
                runnerUp = scores[slot][j];
        }
    }
}

void matchPattern(const PatternTable& table, const unsigned char sample[kPatternValues], int* id,
                  int* dir, double* cf)
{
    PatternMatch match;
    matchPatternRanked(table, sample, &match);
    *id = match.id;
    *dir = match.dir;
    *cf = match.cf;
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

MarkerVerdict identifySquare(const unsigned char* frame, const double corners[4][2], int* id,
                             int* dir, double* cf, SquareJudgement* judgement)
{
    const TrackingState& state = trackingState();
    unsigned char sample[kPatternValues];
    PatternMatch match;
    MarkerEvidence measured;
    double h[8];
    // Degenerate corners give no sample at all; the uniform-sample result is
    // the one the confidence cut is sure to reject.
    // One homography serves the sample and the rings around it.
    if (!referenceToImage(corners, h) ||
        samplePattern(frame, state.xsize, state.ysize, corners, h, sample) < 0)
    {
        match.id = 0;
        match.dir = 0;
        match.cf = -1.0;
    }
    else
    {
        matchPatternRanked(state.patterns, sample, &match);
        measureMarkerEvidence(frame, state.xsize, state.ysize, h, sample, &measured);
    }
    const MarkerVerdict verdict = judgeMarker(match, measured);
    if (judgement)
        *judgement = SquareJudgement{verdict, match, measured};
    *id = match.id;
    *dir = match.dir;
    *cf = match.cf;
    // A square that is no marker keeps its place but no identity, and a
    // confidence that no later stage can take for a match.
    if (verdict != MarkerVerdict::Marker && verdict != MarkerVerdict::LowConfidence)
    {
        *id = -1;
        *dir = -1;
        *cf = 0.0;
    }
    return verdict;
}
