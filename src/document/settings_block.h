#pragma once
// The settings the project records cannot hold (the adaptive threshold, each
// pattern's pose filter) in one optional block after the trackers: a tag, a
// version and the body's length. It is written only when a setting leaves
// the old behaviour, so every other project keeps its bytes exactly.

#include "document/dialog_host.h"

#include <list>
#include <string>

class CArchive;

constexpr uint32_t kSettingsBlockVersion = 1;

// Whether saving must write the block: the adaptive threshold is on, or a
// pattern uses the adaptive pose filter.
bool NeedsSettingsBlock(const CProjectSettings& settings, const std::list<CTracker>& trackers);

void WriteSettingsBlock(CArchive& ar, const CProjectSettings& settings,
                        const std::list<CTracker>& trackers);

enum class SettingsBlockRead
{
    Absent,       // no block: the old behaviour
    Read,         // the settings and the trackers' patterns hold its values
    NewerIgnored, // a later version, skipped whole
};

// Reads the block after the trackers, if one is there; bytes after the
// trackers without the tag are ignored, as they always were. A damaged block
// throws CArchiveException; nothing is changed then.
SettingsBlockRead ReadSettingsBlock(CArchive& ar, CProjectSettings& settings,
                                    std::list<CTracker>& trackers, uint32_t* version);
