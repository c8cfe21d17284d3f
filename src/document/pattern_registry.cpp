#include "document/pattern_registry.h"

#include "document/said_text.h"
#include "project/tracker.h"
#include "project/user_messages.h"
#include "render/tracker_draw.h"
#include "tracking/detection.h"

#include <QCoreApplication>

namespace
{
CPatternEntry* FindEntry(std::list<CPatternEntry>& registry, const std::string& file)
{
    for (CPatternEntry& entry : registry)
        if (entry.m_state.m_pPattern->m_strFile == file)
            return &entry;
    return nullptr;
}

void ReportWidthConflict(const CPattern& pattern, const CPattern& registered)
{
    ShowMessage(
        Said(QCoreApplication::translate("CPatternRegistry",
                                         "El patrón '%1' se repite en varios Trackers con anchos "
                                         "diferentes. Se utilizará el ancho '%2'"),
             {pattern.m_strName, std::to_string(registered.m_nWidth)}),
        Said(QCoreApplication::translate("CPatternRegistry", "Aviso")), MessageIcon::Exclamation);
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

void BuildPatternRegistry(std::list<CTracker>& trackers, std::list<CPatternEntry>& registry)
{
    registry.clear();
    for (CTracker& tracker : trackers)
    {
        for (CPattern& pattern : tracker.m_patterns)
        {
            if (CPatternEntry* entry = FindEntry(registry, pattern.m_strFile))
            {
                if (pattern.m_nWidth != entry->m_state.m_pPattern->m_nWidth)
                    ReportWidthConflict(pattern, *entry->m_state.m_pPattern);
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
        ReloadTrackerModels(tracker);
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

bool DispatchMarkers(const unsigned char* frame, std::list<CPatternEntry>& registry,
                     const DetectionThreshold& threshold, bool recordRelations)
{
    MarkerInfo* markers = nullptr;
    int count = 0;
    if (detectMarkers(frame, threshold, &markers, &count) < 0)
        return false;
    DispatchDetectedMarkers(markers, count, registry, recordRelations, detectedMarkersSeen());
    return true;
}
