#pragma once
// Detection's working tables and the identity history kept across frames.
// One instance lives in TrackingState; detectMarkers overwrites the tables on
// every call, so records handed out stay valid only until the next call.
// No table has a fixed size: each grows to what the largest frame so far
// needed and is then reused, so a steady run allocates nothing per frame and
// no marker is ever dropped for want of room.

#include "tracking/adaptive_threshold.h"
#include "tracking/marker_evidence.h"
#include "tracking/marker_info.h"

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kMaxContourPoints = 10000; // tracing fails one point short of it
constexpr int kMinRegionArea = 70;       // px; smaller cannot hold a readable picture
constexpr int kMaxRegionArea = 100000;   // px

// Statistics of one provisional label, gathered during the raster pass.
struct LabelStats
{
    int count = 0;
    int64_t sumX = 0; // 64 bits: a large frame's dark region overflows 32
    int64_t sumY = 0;
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    int startX = 0; // column of the label's first pixel, on row minY
};

// One connected dark region after renumbering.
struct Region
{
    int area = 0;
    double pos[2] = {};
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    int startX = 0; // leftmost dark pixel of row minY: where its contour starts
};

// The dark mask and the tables behind it, sized to the frame on use. The
// per-label tables grow while labeling as far as a frame can need (a quarter
// of its pixels, see labeling.cpp).
struct LabelTables
{
    int xsize = 0;
    int ysize = 0;
    std::vector<unsigned char> dark; // per pixel: 1 dark, 0 bright or outermost
    std::vector<int> equivalence;  // provisional label -> representative
    std::vector<LabelStats> stats; // per provisional label
    std::vector<int> finalLabel;   // provisional label -> region number (1-based)
    int provisionalCount = 0;
    std::vector<Region> regions;        // region number n at index n - 1
    std::vector<LabelStats> sums;       // scratch: statistics per region
    std::vector<uint32_t> labelRows;    // scratch: provisional labels of two rows

    bool DarkAt(int x, int y) const { return dark[static_cast<size_t>(y) * xsize + x] != 0; }
};

// A square found in the frame: its region and its closed outer contour.
struct Candidate
{
    int area = 0;
    double pos[2] = {};
    int pointCount = 0; // closed: point pointCount - 1 repeats point 0
    std::vector<int> x; // at least pointCount entries
    std::vector<int> y;
    int vertex[5] = {}; // contour indices of corners 0..3 and the closing point
};

struct HistoryEntry
{
    MarkerInfo marker;
    int age = 0;
};

struct DetectionState
{
    LabelTables labels;
    AdaptiveThresholdMap adaptive; // the adaptive mode's local limits for the frame
    // The automatic mode's threshold and the frames left before it is taken
    // again from the frame.
    int automaticThreshold = 0;
    int automaticCountdown = 0;
    Candidate trace; // scratch: kMaxContourPoints entries, the contour being traced
    std::vector<Candidate> candidates; // slots 0..candidateCount-1 in use, the rest kept
    int candidateCount = 0;
    std::vector<double> fitScratch; // undistorted contour points of one side
    std::vector<MarkerInfo> results;
    std::vector<SquareJudgement> judgements; // per result seen in the frame, for tools
    int seenCount = 0;                 // results seen in the frame itself; the rest are history
    std::vector<HistoryEntry> history; // at most one entry per pattern

    // Forgets the history and the automatic threshold; the tables are kept
    // for reuse.
    void ClearHistory()
    {
        history.clear();
        automaticCountdown = 0;
    }
    void Reset() { *this = DetectionState(); }
};
