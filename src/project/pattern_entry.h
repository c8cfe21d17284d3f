#pragma once
// One distinct pattern file of the project during a run: its live state and
// the trackers that use it (pointers into the document's trackers).

#include "project/pattern_state.h"

#include <vector>

class CTracker;

class CPatternEntry
{
public:
    CPatternEntry() = default;
    explicit CPatternEntry(const CPatternState& state) : m_state(state) {}
    CPatternEntry(const CPatternEntry& other) { Copy(other); }
    virtual ~CPatternEntry() = default;

    CPatternEntry& operator=(const CPatternEntry& other)
    {
        if (this != &other)
            Copy(other);
        return *this;
    }
    virtual void Copy(const CPatternEntry& other)
    {
        m_state.Copy(other.m_state);
        m_trackerList = other.m_trackerList;
    }

    CPatternState m_state;
    std::vector<CTracker*> m_trackerList; // in registration order, not owned
};
