#pragma once
// One frame of a live run, without a window, a GL context or Qt: the
// threshold it is taken at, detection, each pattern file's filtered pose
// and each tracker's pose from the patterns seen. The desktop run and the
// WebAssembly build of a published site both call these, so a page shows
// the poses `zelmora-cli track` writes.

#include "project/pattern_entry.h"
#include "tracking/threshold_mode.h"

#include <functional>
#include <list>

class CPattern;
class CTracker;
struct MarkerInfo;

// The automatic threshold is taken anew every this many frames; the first
// ones use the project's stored threshold.
constexpr int kThresholdInterval = 25;

// The run's threshold settings and the count of frames until the automatic
// threshold is next taken.
struct RunThreshold
{
    int nValue = 100;
    bool bAutomatic = false;
    bool bAdaptive = false;
    int nCountdown = kThresholdInterval - 1;

    // Takes the automatic threshold of this frame when it is due.
    void Step(const unsigned char* image, int width, int height);
    DetectionThreshold ForDetection() const;
};

// Called with the pattern that repeats a file at another width and the one
// registered first, whose width is used.
using WidthConflict = std::function<void(const CPattern& pattern, const CPattern& registered)>;

// Rebuilds `registry` from `trackers`: loads each distinct pattern file
// into a library slot, gives every pattern its slot and builds each
// tracker's relation table. The caller has released the previous run data.
void BuildPatternSlots(std::list<CTracker>& trackers, std::list<CPatternEntry>& registry,
                       const WidthConflict& onConflict);

// Frees every entry's slot and empties the registry.
void ReleasePatternRegistry(std::list<CPatternEntry>& registry);

// Hands each entry's best match among `markers` to its state and to the
// trackers that use it. Markers from `seen` on are recent records kept for a
// marker missed in this frame: they keep it on screen, but are never paired
// with this frame's sightings into a relation between patterns (-1: all
// were seen).
void DispatchDetectedMarkers(const MarkerInfo* markers, int count,
                             std::list<CPatternEntry>& registry, bool recordRelations,
                             int seen = -1);

// Detects the markers of one frame (4 bytes a pixel, the camera's size)
// and updates every pattern's and every tracker's pose. False when
// detection failed; then no tracker is found in this frame.
bool TrackFrame(const unsigned char* frame, const DetectionThreshold& threshold,
                std::list<CTracker>& trackers, std::list<CPatternEntry>& registry,
                bool recordRelations);
