#include "document/zelmora_doc.h"

#include "document/pattern_registry.h"
#include "document/said_text.h"
#include "document/settings_block.h"
#include "formats/archive.h"
#include "formats/project_file.h"
#include "project/user_messages.h"
#include "render/model_scene.h"

#include <unistd.h>

#include <QCoreApplication>

namespace
{
constexpr size_t kMinTrackerRecordBytes = 1 + 4 + 4 + 4;
} // namespace

CZelmoraDoc::CZelmoraDoc() = default;

CZelmoraDoc::~CZelmoraDoc()
{
    EndRun();
    // The library's pattern slots outlive a document; a process that opens
    // many projects must not run out of them.
    ReleaseRunData();
}

bool CZelmoraDoc::OnNewDocument()
{
    m_settings = CProjectSettings();
    ReleaseRunData();
    // The trackers go too: keeping them would show the old project's
    // trackers under a new, empty one.
    m_trackers.clear();
    m_strProjectDir.clear();
    m_nThresholdCountdown = kThresholdInterval - 1;
    EndRun();
    RefreshNavigator();
    SetModifiedFlag(false);
    return true;
}

void CZelmoraDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteString(m_settings.m_strVideoConfig);
        ar.WriteString(m_settings.m_strCameraParam);
        ar.WriteU32(m_settings.m_bAutoThreshold ? 1 : 0);
        ar.WriteI32(m_settings.m_nThreshold);
        ar.WriteU32(m_settings.m_bSingleView ? 1 : 0);
        ar.WriteI32(m_settings.m_nViewZoom);
        SerializeTrackers(ar, m_trackers);
        if (NeedsSettingsBlock(m_settings, m_trackers))
            WriteSettingsBlock(ar, m_settings, m_trackers);
        return;
    }

    // Everything is read before anything changes, so a damaged file leaves
    // the open project (and any run) exactly as it was.
    CArchive::Record record(ar, "project settings");
    CProjectSettings settings;
    settings.m_strVideoConfig = ar.ReadString();
    settings.m_strCameraParam = ar.ReadString();
    settings.m_bAutoThreshold = ar.ReadU32() != 0;
    settings.m_nThreshold = ar.ReadI32();
    settings.m_bSingleView = ar.ReadU32() != 0;
    settings.m_nViewZoom = ar.ReadI32();
    std::list<CTracker> trackers;
    SerializeTrackers(ar, trackers);
    uint32_t blockVersion = 0;
    const bool newerBlock = ReadSettingsBlock(ar, settings, trackers, &blockVersion) ==
                            SettingsBlockRead::NewerIgnored;

    SetProjectDirectory(ar.GetFilePath());
    EndRun();
    ReleaseRunData();
    // Recording relations is a setting of the session, not of the file.
    m_settings = std::move(settings);
    m_trackers.swap(trackers);
    if (m_bPrepareRunOnLoad)
        BuildPatternRegistry();
    m_nThresholdCountdown = kThresholdInterval - 1;
    RefreshNavigator();
    if (newerBlock)
        ShowMessage(
            Said(QCoreApplication::translate(
                     "CZelmoraDoc", "El proyecto guarda ajustes de una versión más reciente del "
                                    "programa (versión %1); se abre con los ajustes de siempre"),
                 {std::to_string(blockVersion)}),
            Said(QCoreApplication::translate("CZelmoraDoc", "Aviso")), MessageIcon::Exclamation);
}

void CZelmoraDoc::SerializeTrackers(CArchive& ar, std::list<CTracker>& trackers)
{
    if (ar.IsStoring())
    {
        ar.WriteU32(static_cast<uint32_t>(trackers.size()));
        for (CTracker& tracker : trackers)
            tracker.Serialize(ar);
        return;
    }
    ar.ReadRecords(trackers, kMinTrackerRecordBytes, "trackers", "tracker");
}

void CZelmoraDoc::CopyTrackers(std::list<CTracker>& destination, const std::list<CTracker>& source)
{
    destination.clear();
    for (const CTracker& tracker : source)
        destination.push_back(tracker);
}

bool CZelmoraDoc::OpenProject(const std::string& path, std::string* error, bool prepareRun)
{
    m_bPrepareRunOnLoad = prepareRun;
    bool opened = false;
    try
    {
        CArchive ar(ReadProjectFile(path));
        ar.SetFilePath(AbsoluteProjectPath(path));
        Serialize(ar);
        opened = true;
        SetModifiedFlag(false);
    }
    catch (const std::exception& e)
    {
        if (error)
            *error = path + ": " + e.what();
    }
    m_bPrepareRunOnLoad = true;
    return opened;
}

bool CZelmoraDoc::SaveProject(const std::string& path, std::string* error)
{
    try
    {
        CArchive ar;
        ar.SetFilePath(AbsoluteProjectPath(path));
        Serialize(ar);
        WriteProjectFileAtomically(path, ar.Bytes());
        SetProjectDirectory(ar.GetFilePath());
        SetModifiedFlag(false);
        return true;
    }
    catch (const std::exception& e)
    {
        if (error)
            *error = path + ": " + e.what();
        return false;
    }
}

void CZelmoraDoc::SetProjectDirectory(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    m_strProjectDir = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    // The folder was just read or written, so this fails only if it vanished
    // meanwhile; file names then go on resolving as before.
    if (!m_strProjectDir.empty())
        [[maybe_unused]] const int changed = chdir(m_strProjectDir.c_str());
}

void CZelmoraDoc::AdvanceAnimations()
{
    for (CTracker& tracker : m_trackers)
        for (CModel3D& model : tracker.m_models)
            NextModelFrame(model);
}

void CZelmoraDoc::ReleaseRunData()
{
    for (CTracker& tracker : m_trackers)
        tracker.ReleaseRelations();
    ReleasePatternRegistry(m_patternRegistry);
}

void CZelmoraDoc::BuildPatternRegistry()
{
    // Reloading models releases display lists, which belong to the view's
    // context.
    if (CDocumentView* view = GetView())
        view->MakeCurrent();
    ::BuildPatternRegistry(m_trackers, m_patternRegistry);
}


void CZelmoraDoc::EndRun()
{
    StopRecording();
    m_pCameraCalibration.reset();
    if (m_pVideoSource)
    {
        // The video texture belongs to the view's context.
        if (CDocumentView* view = GetView())
            view->MakeCurrent();
        m_pVideoSource.reset();
        NotifyRunState();
    }
}

void CZelmoraDoc::NotifyRunState()
{
    if (m_pFrame)
        m_pFrame->RunStateChanged(IsCapturing());
}

void CZelmoraDoc::SetModifiedFlag(bool bModified)
{
    if (m_bModified == bModified)
        return;
    m_bModified = bModified;
    if (m_pFrame)
        m_pFrame->ModifiedChanged(bModified);
}

void CZelmoraDoc::RefreshNavigator()
{
    if (m_pNavigator)
        m_pNavigator->RefreshTree();
}
