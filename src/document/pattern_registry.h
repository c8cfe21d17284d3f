#pragma once
// The pattern registry: one entry per distinct pattern file of all trackers,
// so each file takes one library slot and one pose estimate per frame
// however many trackers share it.

#include "project/frame_tracking.h"

#include <list>

class CTracker;

// BuildPatternSlots, warning the user of a pattern file used at two widths,
// and then reloads each tracker's models.
void BuildPatternRegistry(std::list<CTracker>& trackers, std::list<CPatternEntry>& registry);
