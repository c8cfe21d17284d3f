#pragma once
// Detection's working tables and the identity history kept across frames.
// One instance lives in TrackingState; detectMarkers overwrites the tables on
// every call, so records handed out stay valid only until the next call.

#include "tracking/marker_info.h"

#include <cstdint>
#include <vector>

constexpr int kMaxLabels = 32768;        // provisional labels per frame
constexpr int kMaxContourPoints = 10000; // tracing fails one point short of it
constexpr int kMaxCandidates = 30;       // squares kept per frame
constexpr int kMaxMarkers = 30;          // results per frame, history entries
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
};

// The label image and the tables behind it, sized to the frame on use.
struct LabelTables
{
    int xsize = 0;
    int ysize = 0;
    std::vector<uint16_t> image;   // provisional label per pixel, 0 = bright
    std::vector<int> equivalence;  // provisional label -> representative
    std::vector<LabelStats> stats; // per provisional label
    std::vector<int> finalLabel;   // provisional label -> region number (1-based)
    int provisionalCount = 0;
    std::vector<Region> regions;        // region number n at index n - 1
    std::vector<unsigned char> darkRow; // scratch: which pixels of a row are dark

    int FinalLabelAt(int x, int y) const { return finalLabel[image[y * xsize + x]]; }
};

// A square found in the frame: its region and its closed outer contour.
struct Candidate
{
    int area = 0;
    double pos[2] = {};
    int pointCount = 0; // closed: point pointCount - 1 repeats point 0
    std::vector<int> x; // kMaxContourPoints entries
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
    std::vector<Candidate> candidates; // kMaxCandidates slots, allocated on first use
    int candidateCount = 0;
    std::vector<double> fitScratch; // undistorted contour points of one side
    MarkerInfo results[kMaxMarkers];
    int resultCount = 0;
    int seenCount = 0; // results seen in the frame itself; the rest are history
    HistoryEntry history[kMaxMarkers];
    int historyCount = 0;

    // Forgets the history; the tables are kept for reuse.
    void ClearHistory() { historyCount = 0; }
    void Reset() { *this = DetectionState(); }
};
