// "Propiedades": the whole project edited on working copies through the
// dialog host, and taken over on OK.
#include "document/zelmora_doc.h"

#include "project/user_messages.h"

void CZelmoraDoc::SetDialogHost(CDialogHost* host)
{
    m_pDialogHost = host;
}

CProjectSettings CZelmoraDoc::GetSettings() const
{
    CProjectSettings settings;
    settings.m_strVideoConfig = m_strVideoConfig;
    settings.m_strCameraParam = m_strCameraParam;
    settings.m_bAutoThreshold = m_bAutoThreshold;
    settings.m_nThreshold = m_nThreshold;
    settings.m_bSingleView = m_bSingleView;
    settings.m_nViewZoom = m_nViewZoom;
    settings.m_bRecordRelations = m_bRecordRelations;
    return settings;
}

void CZelmoraDoc::SetSettings(const CProjectSettings& settings)
{
    m_strVideoConfig = settings.m_strVideoConfig;
    m_strCameraParam = settings.m_strCameraParam;
    m_bAutoThreshold = settings.m_bAutoThreshold;
    m_nThreshold = settings.m_nThreshold;
    m_bSingleView = settings.m_bSingleView;
    m_nViewZoom = settings.m_nViewZoom;
    m_bRecordRelations = settings.m_bRecordRelations;
}

bool CZelmoraDoc::OnProperties()
{
    // Browsed files are stored relative to the project's folder, which a
    // never-saved project does not have yet.
    if (m_strProjectDir.empty())
    {
        ShowMessage("Guarde el proyecto antes de iniciar su ejecución", "Aviso",
                    MessageIcon::Exclamation);
        return false;
    }
    if (!m_pDialogHost)
        return false;

    CProjectSettings settings = GetSettings();
    std::list<CTracker> trackers;
    CopyTrackers(trackers, m_trackers);
    if (!m_pDialogHost->EditProperties(settings, trackers, m_strProjectDir))
        return false;

    SetSettings(settings);
    ReleaseRunData();
    // Replacing the trackers frees their models' display lists, which belong
    // to the view's context.
    if (CDocumentView* view = GetView())
        view->MakeCurrent();
    CopyTrackers(m_trackers, trackers);
    BuildPatternRegistry();
    RefreshNavigator();
    SetModifiedFlag();
    return true;
}
