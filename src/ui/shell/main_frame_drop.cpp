// Files dropped on the window: models, patterns and pictures join the
// selected tracker (or a new one) as one undoable edit, and a project file
// opens after the save prompt. What to do with each file is decided by the
// document (document/file_drop.h); the marker maker is handed in from here.
#include "ui/shell/main_frame.h"

#include "demo/marker_files.h"
#include "demo/marker_image.h"
#include "document/file_drop.h"
#include "document/project_editor.h"
#include "document/zelmora_doc.h"
#include "project/user_messages.h"
#include "ui/shell/file_drop_target.h"
#include "ui/view/navigator_dialog_bar.h"
#include "ui/view/zelmora_view.h"

namespace
{
const char* const kCaption = "Zelmora";

bool MakeMarker(const BgraImage& picture, const std::string& patternPath,
                const std::string& imagePath, std::string* error)
{
    return MakeMarkerFiles(picture, kDefaultMarkerSidePx, patternPath, imagePath, error);
}
} // namespace

void CMainFrame::CreateDropTarget()
{
    auto* target =
        new CFileDropTarget([this](const QStringList& paths) { DropFiles(paths); }, this);
    setAcceptDrops(true);
    target->Watch(this);
    target->Watch(m_pView);
}

void CMainFrame::DropFiles(const QStringList& paths)
{
    std::vector<std::string> files;
    for (const QString& path : paths)
        files.push_back(path.toStdString());
    const FileDropPlan plan =
        PlanFileDrop(files, m_doc.m_trackers, m_pNavigator->SelectedPath().m_nTracker,
                     m_doc.m_strProjectDir, MakeMarker);
    switch (plan.outcome)
    {
    case FileDropPlan::Outcome::Refused:
        ShowMessage(plan.message, kCaption, MessageIcon::Exclamation);
        break;
    case FileDropPlan::Outcome::OpenProject:
        if (SaveModified())
            OpenProjectFile(QString::fromStdString(plan.projectPath));
        break;
    case FileDropPlan::Outcome::Edit:
        m_pEditor->ReplaceTrackers(plan.trackers, tr("Soltar ficheros"));
        for (const std::string& warning : plan.warnings)
            ShowMessage(warning, "Aviso", MessageIcon::Exclamation);
        break;
    }
}
