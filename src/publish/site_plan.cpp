#include "publish/site_plan.h"

#include "document/project_paths.h"
#include "model_writers/write_gltf.h"
#include "models/mesh_from_3ds.h"
#include "models/safe_3ds_load.h"
#include "project/tracker.h"
#include "tracking/camera_param.h"
#include "tracking/pattern_file.h"

#include <nlohmann/json.hpp>

#include <map>

namespace
{
// A pattern file holds 3072 small numbers; anything far larger is not one.
constexpr long long kMaxPatternFileBytes = 1 << 20;
constexpr long long kMaxCameraFileBytes = 1 << 16;

class CPlanner
{
public:
    CPlanner(const PublishedProject& project, const PublishOptions& options,
             const PublishProgress& progress)
        : m_project(project), m_options(options), m_progress(progress)
    {
        for (const CTracker& tracker : project.trackers)
            m_nTotal += static_cast<int>(tracker.m_patterns.size() + tracker.m_models.size());
    }

    bool Plan(std::vector<SiteFile>* pFiles, std::string* pError)
    {
        nlohmann::ordered_json site;
        site["title"] = m_project.strTitle;
        site["fov"] = m_options.fFovDegrees;
        site["threshold"] = {{"value", m_project.settings.m_nThreshold},
                             {"automatic", m_project.settings.m_bAutoThreshold},
                             {"adaptive", m_project.settings.m_bAdaptiveThreshold}};
        site["camera"] = nullptr;
        if (!m_project.settings.m_strCameraParam.empty() && !AddCamera(&site["camera"], pError))
            return false;
        site["trackers"] = nlohmann::ordered_json::array();
        for (const CTracker& tracker : m_project.trackers)
        {
            nlohmann::ordered_json entry;
            if (!AddTracker(tracker, &entry, pError))
                return false;
            site["trackers"].push_back(entry);
        }
        m_files.push_back({"site.json", site.dump(1) + "\n"});
        pFiles->swap(m_files);
        return true;
    }

private:
    std::string Resolve(const std::string& name) const
    {
        return ResolveProjectPath(name, m_project.strProjectDir);
    }

    bool Step(std::string* pError)
    {
        if (!m_progress || m_progress(++m_nDone, m_nTotal))
            return true;
        *pError = "cancelled";
        return false;
    }

    bool AddCamera(nlohmann::ordered_json* pCamera, std::string* pError)
    {
        const std::string& name = m_project.settings.m_strCameraParam;
        const std::string path = Resolve(name);
        CameraParam param;
        std::string bytes;
        if (loadCameraParam(path.c_str(), 1, &param) < 0 ||
            !ReadWholeFile(path, kMaxCameraFileBytes, &bytes))
            return (*pError = "cannot read the camera file '" + name + "'", false);
        m_files.push_back({"camara.dat", bytes});
        *pCamera = {{"file", "camara.dat"}, {"width", param.xsize}, {"height", param.ysize}};
        return true;
    }

    bool AddTracker(const CTracker& tracker, nlohmann::ordered_json* pEntry, std::string* pError)
    {
        const std::string where = "tracker '" + tracker.m_strName + "': ";
        nlohmann::ordered_json patterns = nlohmann::ordered_json::array();
        for (const CPattern& pattern : tracker.m_patterns)
        {
            std::string file;
            if (!AddPattern(pattern, &file, pError))
                return (*pError = where + *pError, false);
            patterns.push_back({{"file", file},
                                {"width", pattern.m_nWidth},
                                {"frames", pattern.m_nFrames},
                                {"tolerance", pattern.m_fTolerance},
                                {"adaptive", pattern.m_filter == PoseFilter::Adaptive},
                                {"minCutoff", pattern.m_fMinCutoff},
                                {"speedGain", pattern.m_fSpeedGain}});
            if (!Step(pError))
                return false;
        }
        nlohmann::ordered_json models = nlohmann::ordered_json::array();
        for (const CModel3D& model : tracker.m_models)
        {
            std::string file;
            if (!AddModel(model, &file, pError))
                return (*pError = where + *pError, false);
            const double* m = model.m_matrix.GetData();
            models.push_back({{"name", model.m_strName},
                              {"file", file},
                              {"matrix", std::vector<double>(m, m + 16)}});
            if (!Step(pError))
                return false;
        }
        *pEntry = {{"name", tracker.m_strName},
                   {"reference", tracker.ReferenceIndex()},
                   {"patterns", patterns},
                   {"models", models}};
        return true;
    }

    // Each distinct stored name is one file, as the run gives each one
    // library slot.
    bool AddPattern(const CPattern& pattern, std::string* pFile, std::string* pError)
    {
        const auto known = m_patternFiles.find(pattern.m_strFile);
        if (known != m_patternFiles.end())
            return (*pFile = known->second, true);
        const std::string path = Resolve(pattern.m_strFile);
        unsigned char blocks[kPatternOrientations][kPatternValues];
        std::string bytes;
        if (readPatternFile(path.c_str(), blocks) != PatternFileStatus::Ok ||
            !ReadWholeFile(path, kMaxPatternFileBytes, &bytes))
            return (*pError = "cannot read the pattern file '" + pattern.m_strFile + "'", false);
        *pFile = "patrones/" + std::to_string(m_patternFiles.size() + 1) + "-" +
                 SiteFileName(FileStem(pattern.m_strFile)) + ".patt";
        m_patternFiles[pattern.m_strFile] = *pFile;
        m_files.push_back({*pFile, bytes});
        return true;
    }

    bool AddModel(const CModel3D& model, std::string* pFile, std::string* pError)
    {
        const std::string path = Resolve(model.m_strFile);
        const size_t slash = path.find_last_of('/');
        const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
        CMeshModel mesh;
        std::string reason;
        if (!LoadAnyModelAsMesh(path, directory, &mesh, &reason))
            return (*pError = "cannot use the model '" + model.m_strFile + "': " + reason, false);
        *pFile = "modelos/" + std::to_string(++m_nModels) + "-" +
                 SiteFileName(FileStem(model.m_strFile)) + ".glb";
        m_files.push_back({*pFile, GltfBytes(mesh, GltfLayout::Binary)});
        return true;
    }

    const PublishedProject& m_project;
    const PublishOptions& m_options;
    const PublishProgress& m_progress;
    std::vector<SiteFile> m_files;
    std::map<std::string, std::string> m_patternFiles;
    int m_nModels = 0;
    int m_nDone = 0;
    int m_nTotal = 0;
};
} // namespace

std::string FileStem(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string SiteFileName(const std::string& name)
{
    std::string safe;
    for (const char c : name)
    {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        safe += plain ? c : '_';
    }
    return safe;
}

bool PlanSiteFiles(const PublishedProject& project, const PublishOptions& options,
                   std::vector<SiteFile>* pFiles, std::string* pError,
                   const PublishProgress& progress)
{
    return CPlanner(project, options, progress).Plan(pFiles, pError);
}
