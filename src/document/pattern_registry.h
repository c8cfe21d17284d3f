#pragma once
// The pattern registry: one entry per distinct pattern file of all trackers,
// so each file takes one library slot and one pose estimate per frame
// however many trackers share it.

#include "document/pattern_entry.h"
#include "tracking/threshold_mode.h"

#include <list>

class CTracker;

// Rebuilds `registry` from `trackers`: loads each distinct pattern file,
// gives every pattern its slot, reloads each tracker's models and builds its
// relation table. The caller has released the previous run data.
void BuildPatternRegistry(std::list<CTracker>& trackers, std::list<CPatternEntry>& registry);

// Frees every entry's slot and empties the registry.
void ReleasePatternRegistry(std::list<CPatternEntry>& registry);

struct MarkerInfo;

// Hands each entry's best match among `markers` to its state and to the
// trackers that use it. Markers from `seen` on are recent records kept for a
// marker missed in this frame: they keep it on screen, but are never paired
// with this frame's sightings into a relation between patterns (-1: all
// were seen).
void DispatchDetectedMarkers(const MarkerInfo* markers, int count,
                             std::list<CPatternEntry>& registry, bool recordRelations,
                             int seen = -1);

// Detects the markers of one frame and hands each entry's best match to its
// state and to the trackers that use it. False when detection failed; then
// nothing was touched.
bool DispatchMarkers(const unsigned char* frame, std::list<CPatternEntry>& registry,
                     const DetectionThreshold& threshold, bool recordRelations);
