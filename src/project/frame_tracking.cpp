#include "project/frame_tracking.h"

#include "project/tracker.h"
#include "tracking/auto_threshold.h"
#include "tracking/detection.h"

namespace
{
CPatternEntry* FindEntry(std::list<CPatternEntry>& registry, const std::string& file)
{
    for (CPatternEntry& entry : registry)
        if (entry.m_state.m_pPattern->m_strFile == file)
            return &entry;
    return nullptr;
}

// The first detected marker wins on equal confidence.
const MarkerInfo* BestMarker(const MarkerInfo* markers, int count, int id)
{
    const MarkerInfo* best = nullptr;
    for (int k = 0; k < count; ++k)
        if (markers[k].id == id && (!best || markers[k].cf > best->cf))
            best = &markers[k];
    return best;
}
} // namespace

void RunThreshold::Step(const unsigned char* image, int width, int height)
{
    if (bAutomatic && !bAdaptive && nCountdown < 0)
    {
        nValue = automaticThreshold(image, width, height);
        // A frame without rows taught nothing: try again on the next one.
        if (width > 0 && height > 0)
            nCountdown = kThresholdInterval - 1;
    }
    else
        --nCountdown;
}

DetectionThreshold RunThreshold::ForDetection() const
{
    return {bAdaptive ? ThresholdMode::Adaptive : ThresholdMode::Fixed, nValue};
}

void BuildPatternSlots(std::list<CTracker>& trackers, std::list<CPatternEntry>& registry,
                       const WidthConflict& onConflict)
{
    registry.clear();
    for (CTracker& tracker : trackers)
    {
        for (CPattern& pattern : tracker.m_patterns)
        {
            if (CPatternEntry* entry = FindEntry(registry, pattern.m_strFile))
            {
                if (pattern.m_nWidth != entry->m_state.m_pPattern->m_nWidth && onConflict)
                    onConflict(pattern, *entry->m_state.m_pPattern);
                entry->m_trackerList.push_back(&tracker);
                pattern.m_nId = entry->m_state.m_nId;
                continue;
            }
            CPatternState state(&pattern);
            state.LoadPattern();
            CPatternEntry entry(state);
            entry.m_trackerList.push_back(&tracker);
            registry.push_back(entry);
            pattern.m_nId = state.m_nId;
        }
        tracker.BuildRelations();
    }
}

void ReleasePatternRegistry(std::list<CPatternEntry>& registry)
{
    for (CPatternEntry& entry : registry)
        entry.m_state.FreePattern();
    registry.clear();
}

void DispatchDetectedMarkers(const MarkerInfo* markers, int count,
                             std::list<CPatternEntry>& registry, bool recordRelations, int seen)
{
    if (seen < 0)
        seen = count;
    for (CPatternEntry& entry : registry)
    {
        CPatternState& state = entry.m_state;
        // A file that failed to load has no slot: unidentified squares
        // (id -1) must not be taken for it.
        const MarkerInfo* marker =
            state.m_nId < 0 ? nullptr : BestMarker(markers, count, state.m_nId);
        // A pose that cannot be estimated counts as not seen, so no stale
        // transform reaches the average or the relations.
        if (!marker || !state.Update(*marker))
        {
            state.SetVisible(false);
            continue;
        }
        state.SetVisible(true);
        const bool seenNow = marker - markers < seen;
        for (CTracker* tracker : entry.m_trackerList)
            tracker->AddObservation(&state, recordRelations, seenNow);
    }
}

bool TrackFrame(const unsigned char* frame, const DetectionThreshold& threshold,
                std::list<CTracker>& trackers, std::list<CPatternEntry>& registry,
                bool recordRelations)
{
    for (CTracker& tracker : trackers)
        tracker.BeginFrame();
    MarkerInfo* markers = nullptr;
    int count = 0;
    const bool detected = detectMarkers(frame, threshold, &markers, &count) == 0;
    if (detected)
        DispatchDetectedMarkers(markers, count, registry, recordRelations, detectedMarkersSeen());
    for (CTracker& tracker : trackers)
        tracker.ComputePose();
    return detected;
}
