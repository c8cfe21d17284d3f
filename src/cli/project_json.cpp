#include "cli/project_json.h"

#include "document/settings_block.h"
#include "document/zelmora_doc.h"

using nlohmann::ordered_json;

namespace
{
ordered_json PatternToJson(const CPattern& pattern)
{
    return {{"name", pattern.m_strName},
            {"file", pattern.m_strFile},
            {"width", pattern.m_nWidth},
            {"frames", pattern.m_nFrames},
            {"tolerance", pattern.m_fTolerance}};
}

ordered_json ModelToJson(const CModel3D& model)
{
    const double* data = model.m_matrix.GetData();
    return {{"name", model.m_strName},
            {"file", model.m_strFile},
            {"matrix", std::vector<double>(data, data + 16)}};
}

ordered_json TrackerToJson(const CTracker& tracker)
{
    ordered_json patterns = ordered_json::array();
    for (const CPattern& pattern : tracker.m_patterns)
        patterns.push_back(PatternToJson(pattern));
    ordered_json models = ordered_json::array();
    for (const CModel3D& model : tracker.m_models)
        models.push_back(ModelToJson(model));
    return {{"name", tracker.m_strName},
            {"reference", tracker.HasReference() ? ordered_json(tracker.ReferenceIndex())
                                                 : ordered_json(nullptr)},
            {"patterns", patterns},
            {"models", models}};
}
// What the file's settings block holds, or null when saving writes none.
ordered_json SettingsBlockToJson(const CZelmoraDoc& doc)
{
    if (!NeedsSettingsBlock(doc.m_settings, doc.m_trackers))
        return nullptr;
    ordered_json filters = ordered_json::array();
    for (const CTracker& tracker : doc.m_trackers)
        for (const CPattern& pattern : tracker.m_patterns)
            filters.push_back(
                {{"filter", pattern.m_filter == PoseFilter::Adaptive ? "adaptive" : "average"},
                 {"minCutoff", pattern.m_fMinCutoff},
                 {"speedGain", pattern.m_fSpeedGain}});
    return {{"version", kSettingsBlockVersion},
            {"threshold", doc.m_settings.m_bAdaptiveThreshold ? "adaptive" : "header"},
            {"filters", filters}};
}
} // namespace

ordered_json ProjectToJson(const CZelmoraDoc& doc)
{
    ordered_json trackers = ordered_json::array();
    for (const CTracker& tracker : doc.m_trackers)
        trackers.push_back(TrackerToJson(tracker));
    return {{"videoConfig", doc.m_settings.m_strVideoConfig},
            {"cameraParam", doc.m_settings.m_strCameraParam},
            {"autoThreshold", doc.m_settings.m_bAutoThreshold},
            {"threshold", doc.m_settings.m_nThreshold},
            {"singleView", doc.m_settings.m_bSingleView},
            {"viewZoom", doc.m_settings.m_nViewZoom},
            {"trackers", trackers},
            {"settingsBlock", SettingsBlockToJson(doc)}};
}
