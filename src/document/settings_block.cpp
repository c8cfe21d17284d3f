#include "document/settings_block.h"

#include "formats/archive.h"

#include <cmath>
#include <vector>

namespace
{
const std::string kTag = "ZLMS";
constexpr size_t kPatternBytes = 4 + 4 + 4;
constexpr size_t kHeaderBytes = 4 + 4; // threshold mode, pattern count

enum : uint32_t
{
    kThresholdAsHeader = 0,
    kThresholdAdaptive = 1,
};

size_t PatternCount(const std::list<CTracker>& trackers)
{
    size_t count = 0;
    for (const CTracker& tracker : trackers)
        count += tracker.m_patterns.size();
    return count;
}

bool InRange(float value, float low)
{
    return std::isfinite(value) && value >= low && value <= kMaxFilterSetting;
}
} // namespace

bool NeedsSettingsBlock(const CProjectSettings& settings, const std::list<CTracker>& trackers)
{
    if (settings.m_bAdaptiveThreshold)
        return true;
    for (const CTracker& tracker : trackers)
        for (const CPattern& pattern : tracker.m_patterns)
            if (pattern.m_filter != PoseFilter::RunningAverage)
                return true;
    return false;
}

void WriteSettingsBlock(CArchive& ar, const CProjectSettings& settings,
                        const std::list<CTracker>& trackers)
{
    const size_t patterns = PatternCount(trackers);
    ar.WriteBytes(kTag);
    ar.WriteU32(kSettingsBlockVersion);
    ar.WriteU32(uint32_t(kHeaderBytes + patterns * kPatternBytes));
    ar.WriteU32(settings.m_bAdaptiveThreshold ? kThresholdAdaptive : kThresholdAsHeader);
    ar.WriteU32(uint32_t(patterns));
    for (const CTracker& tracker : trackers)
        for (const CPattern& pattern : tracker.m_patterns)
        {
            ar.WriteU32(pattern.m_filter == PoseFilter::Adaptive ? 1 : 0);
            ar.WriteF32(pattern.m_fMinCutoff);
            ar.WriteF32(pattern.m_fSpeedGain);
        }
}

SettingsBlockRead ReadSettingsBlock(CArchive& ar, CProjectSettings& settings,
                                    std::list<CTracker>& trackers, uint32_t* version)
{
    if (ar.Remaining() < kTag.size() || ar.Bytes().compare(ar.Offset(), kTag.size(), kTag) != 0)
        return SettingsBlockRead::Absent;
    CArchive::Record record(ar, "settings block");
    ar.Skip(kTag.size(), "the settings block's tag");
    *version = ar.ReadU32();
    const uint32_t length = ar.ReadU32();
    ar.RequireBytes(length, "the settings block");
    if (*version == 0)
        ar.Fail("a settings block of version 0");
    if (*version > kSettingsBlockVersion)
    {
        ar.Skip(length, "the settings block");
        return SettingsBlockRead::NewerIgnored;
    }
    const uint32_t threshold = ar.ReadU32();
    const uint32_t patterns = ar.ReadU32();
    if (threshold > kThresholdAdaptive || patterns != PatternCount(trackers) ||
        length != kHeaderBytes + size_t(patterns) * kPatternBytes)
        ar.Fail("a settings block that does not fit the project");

    // Read whole before anything is set, so a bad value changes nothing.
    struct Filter
    {
        uint32_t kind;
        float minCutoff;
        float speedGain;
    };
    std::vector<Filter> filters(patterns);
    for (Filter& filter : filters)
    {
        filter.kind = ar.ReadU32();
        filter.minCutoff = ar.ReadF32();
        filter.speedGain = ar.ReadF32();
        if (filter.kind > 1 || !InRange(filter.minCutoff, kMinFilterCutoff) || !InRange(filter.speedGain, 0.0f))
            ar.Fail("a pose filter setting out of range");
    }
    settings.m_bAdaptiveThreshold = threshold == kThresholdAdaptive;
    size_t k = 0;
    for (CTracker& tracker : trackers)
        for (CPattern& pattern : tracker.m_patterns)
        {
            const Filter& filter = filters[k++];
            pattern.m_filter = filter.kind == 1 ? PoseFilter::Adaptive : PoseFilter::RunningAverage;
            pattern.m_fMinCutoff = filter.minCutoff;
            pattern.m_fSpeedGain = filter.speedGain;
        }
    return SettingsBlockRead::Read;
}
