// "Propiedades": the whole project edited on working copies through the
// dialog host, and taken over on OK.
#include "document/zelmora_doc.h"

#include "document/said_text.h"
#include "project/user_messages.h"

#include <QCoreApplication>

void CZelmoraDoc::SetDialogHost(CDialogHost* host)
{
    m_pDialogHost = host;
}

bool CZelmoraDoc::OnProperties()
{
    // Browsed files are stored relative to the project's folder, which a
    // never-saved project does not have yet.
    if (m_strProjectDir.empty())
    {
        ShowMessage(Said(QCoreApplication::translate(
                        "CZelmoraDoc", "Guarde el proyecto antes de iniciar su ejecución")),
                    Said(QCoreApplication::translate("CZelmoraDoc", "Aviso")),
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
