// The main window's crash copy: while the project has unsaved changes a copy
// is written every half minute, the next start offers it back, and a save
// or an explicit "Descartar" removes it (see document/autosave.h).
#include "ui/shell/main_frame.h"

#include "document/autosave.h"
#include "document/project_editor.h"
#include "document/zelmora_doc.h"
#include "project/user_messages.h"
#include "ui/dialogs/named_widget.h"
#include "ui/view/zelmora_view.h"

#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

namespace
{
constexpr int kAutosaveSeconds = 30;
const char* const kAppTitle = "Zelmora";

// ZELMORA_AUTOSAVE_SECONDS shortens the interval for the window test that
// kills the program after an edit: it should not wait half a minute.
int AutosaveIntervalMs()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("ZELMORA_AUTOSAVE_SECONDS", &ok);
    return 1000 * (ok && seconds > 0 ? seconds : kAutosaveSeconds);
}
} // namespace

void CMainFrame::StartAutosave()
{
    m_pAutosaveTimer = new QTimer(this);
    m_pAutosaveTimer->setObjectName("autosaveTimer");
    connect(m_pAutosaveTimer, &QTimer::timeout, this, &CMainFrame::OnAutosave);
    // Only a change since the last copy is worth writing again.
    connect(&m_pEditor->UndoStack(), &QUndoStack::indexChanged, this,
            [this] { m_bAutosaveDue = true; });
    // It runs only while there are unsaved changes (ModifiedChanged), so an
    // idle window stays asleep.
    m_pAutosaveTimer->setInterval(AutosaveIntervalMs());
}

void CMainFrame::OnAutosave()
{
    if (!m_doc.IsModified() || !m_bAutosaveDue)
        return;
    std::string error;
    if (WriteAutosave(m_doc, m_strPathName, &error))
    {
        m_bAutosaveDue = false;
        if (m_pAutosaveNote)
            statusBar()->hide();
        return;
    }
    // A box every half minute would be worse than the failure: a note that
    // stays until a copy is written again (a label, which the menus' status
    // tips do not wipe out).
    if (!m_pAutosaveNote)
    {
        statusBar()->setObjectName("statusBar");
        statusBar()->setAccessibleName(tr("Barra de estado"));
        m_pAutosaveNote = Named(new QLabel(statusBar()), "autosaveNote", tr("Copia de seguridad"));
        statusBar()->addWidget(m_pAutosaveNote, 1);
    }
    const QString note =
        tr("No se puede guardar la copia de seguridad: %1").arg(QString::fromStdString(error));
    SetChangingText(m_pAutosaveNote, note);
    statusBar()->show();
}

void CMainFrame::OfferRestore(const QString& projectPath)
{
    // The path asked for, not the window's: a project that could not be
    // opened may still have its copy.
    const QString path =
        projectPath.isEmpty() ? QString() : QFileInfo(projectPath).absoluteFilePath();
    if (!HasNewerAutosave(path))
        return;
    QMessageBox box(QMessageBox::Question, tr("Copia de seguridad"),
                    tr("Hay una copia de seguridad más reciente de este proyecto. "
                       "¿Restaurarla?"),
                    QMessageBox::NoButton, this);
    box.setObjectName("restoreBox");
    QPushButton* restore = Named(box.addButton(tr("Restaurar"), QMessageBox::AcceptRole),
                                 "restoreButton", tr("Restaurar"));
    Named(box.addButton(tr("Descartar"), QMessageBox::DestructiveRole), "discardCopyButton",
          tr("Descartar"));
    box.setDefaultButton(restore);
    box.exec();
    // Without a window manager nobody gives the keyboard back to the window
    // when the box goes.
    activateWindow();
    if (box.clickedButton() != restore)
    {
        RemoveAutosave(path);
        return;
    }
    std::string error;
    m_pView->MakeCurrent();
    if (!RestoreAutosave(m_doc, path, &error))
    {
        const QString aside = SetAutosaveAside(path);
        const QString where =
            aside.isEmpty() ? tr("Se ha borrado.") : tr("Se ha apartado como %1.").arg(aside);
        ShowMessage(tr("La copia de seguridad está dañada y no se puede restaurar; el "
                       "proyecto sigue como estaba.\n%1\n%2")
                        .arg(QString::fromStdString(error), where)
                        .toStdString(),
                    kAppTitle, MessageIcon::Exclamation);
        return;
    }
    m_pEditor->ProjectRestored();
    if (path.isEmpty())
        UpdateTitle();
    else
        SetPathName(path);
    m_pView->RunLayoutChanged();
}
