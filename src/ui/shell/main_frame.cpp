#include "ui/shell/main_frame.h"

#include "ui/shell/about_dialog.h"
#include "document/autosave.h"
#include "document/project_editor.h"
#include "document/zelmora_doc.h"
#include "ui/shell/zelmora_picture.h"
#include "ui/dialogs/qt_dialog_host.h"
#include "project/user_messages.h"
#include "ui/view/navigator_dialog_bar.h"
#include "ui/view/zelmora_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QTimer>
#include <QUndoStack>

namespace
{
const char* const kAppTitle = "Zelmora";
// Project files carry no extension of their own: the dialogs offer every file.
const char* const kFileFilter = QT_TRANSLATE_NOOP("CMainFrame", "Todos los archivos (*)");
} // namespace

CMainFrame::CMainFrame(CZelmoraDoc& doc, QWidget* parent) : QMainWindow(parent), m_doc(doc)
{
    setObjectName("mainFrame");
    setWindowIcon(QIcon(ZelmoraPicture(64)));
    m_pView = new CZelmoraView(doc);
    // A native OpenGL window rather than a QOpenGLWidget: the widget's
    // picture would be composed into the window once more on every frame,
    // a fifth of a core more with a software renderer.
    QWidget* container = QWidget::createWindowContainer(m_pView, this);
    container->setObjectName("viewContainer");
    container->setAccessibleName(tr("Vista del editor"));
    container->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(container);
    m_pNavigator = new CNavigatorDialogBar(doc, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_pNavigator);
    m_pView->SetSelection(m_pNavigator);
    m_pEditor = new CProjectEditor(doc, *m_pNavigator, this);
    m_pDialogHost = std::make_unique<CQtDialogHost>(this);
    CreateMenus();
    CreateInertShortcuts();
    ConnectEditing();
    CreateDropTarget();
    StartAutosave();
    m_doc.SetFrame(this);
    m_doc.SetNavigator(m_pNavigator);
    m_doc.SetView(m_pView);
    m_doc.SetDialogHost(m_pDialogHost.get());
    m_pNavigator->RefreshTree();
    m_pNavigator->SyncSettings();
    UpdateRecentMenu();
    UpdateTitle();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    // The editor is a child, destroyed after this part of the window: what
    // its undo stack says on the way out must not reach a half-gone frame.
    m_pEditor->UndoStack().disconnect(this);
    m_pEditor->disconnect(this);
    // The run's texture and the models' display lists live in the view's
    // context: they go while it still exists.
    m_doc.OnStopCapture();
    m_pView->MakeCurrent();
    m_doc.ReleaseRunData();
    m_doc.SetFrame(nullptr);
    m_doc.SetNavigator(nullptr);
    m_doc.SetView(nullptr);
    m_doc.SetDialogHost(nullptr);
}

void CMainFrame::ConnectEditing()
{
    CNavigatorDialogBar* bar = m_pNavigator;
    CProjectEditor* editor = m_pEditor;
    connect(bar, &CNavigatorDialogBar::PropertiesRequested, this, [this] { OnProperties(); });
    connect(bar, &CNavigatorDialogBar::EditRequested, editor, &CProjectEditor::EditNode);
    connect(bar, &CNavigatorDialogBar::ModelPlaced, editor, &CProjectEditor::PlaceModel);
    connect(bar, &CNavigatorDialogBar::SingleViewChanged, editor, &CProjectEditor::SetSingleView);
    connect(bar, &CNavigatorDialogBar::ZoomChanged, editor, &CProjectEditor::SetViewZoom);
    connect(bar, &CNavigatorDialogBar::RecordRelationsChanged, editor,
            &CProjectEditor::SetRecordRelations);
    connect(bar, &CNavigatorDialogBar::ModelReloaded, editor, &CProjectEditor::Repaint);
    connect(bar, &CNavigatorDialogBar::SelectionChanged, editor, &CProjectEditor::Repaint);
    connect(m_pView, &CZelmoraView::SelectedModelMoved, this,
            [this](const CMatrix& before, const CMatrix& after)
            { m_pEditor->PlaceModel(m_pNavigator->SelectedPath(), before, after); });
    connect(m_pView, &CZelmoraView::ZoomRequested, editor, &CProjectEditor::SetViewZoom);
}

QImage CMainFrame::Snapshot()
{
    // The view is a native OpenGL window, which a widget grab leaves out.
    QImage picture = grab().toImage();
    QWidget* container = centralWidget();
    QPainter painter(&picture);
    painter.drawImage(QRect(container->mapTo(this, QPoint(0, 0)), container->size()),
                      m_pView->Render());
    return picture;
}

bool CMainFrame::OnFileNew()
{
    if (!SaveModified())
        return false;
    m_doc.OnNewDocument();
    m_pEditor->ProjectReplaced();
    m_strPathName.clear();
    UpdateTitle();
    m_pView->RunLayoutChanged();
    return true;
}

void CMainFrame::OnFileOpen()
{
    if (!SaveModified())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Abrir"), QFileInfo(m_strPathName).path(), tr(kFileFilter));
    if (!path.isEmpty())
        OpenProjectFile(path);
}

bool CMainFrame::OpenProjectFile(const QString& path)
{
    std::string error;
    if (!m_doc.OpenProject(path.toStdString(), &error))
    {
        ShowMessage(tr("No se puede abrir el proyecto.").toStdString() + "\n" + error, kAppTitle,
                    MessageIcon::Exclamation);
        return false;
    }
    m_pEditor->ProjectReplaced();
    SetPathName(path);
    m_pView->RunLayoutChanged();
    OfferRestore(path);
    return true;
}

void CMainFrame::SetPathName(const QString& path)
{
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_recentFiles.Add(m_strPathName);
    UpdateRecentMenu();
    UpdateTitle();
}

void CMainFrame::OpenRecentFile(const QString& path)
{
    if (!SaveModified())
        return;
    if (OpenProjectFile(path))
        return;
    // A project that is gone no longer belongs in the list; one that is
    // damaged stays, so its name is at hand once it is mended.
    if (!QFileInfo::exists(path))
    {
        m_recentFiles.Remove(path);
        UpdateRecentMenu();
    }
}

bool CMainFrame::OnFileSave()
{
    if (m_strPathName.isEmpty())
        return OnFileSaveAs();
    return SaveProjectFile(m_strPathName);
}

bool CMainFrame::OnFileSaveAs()
{
    const QString start = m_strPathName.isEmpty() ? QString(kAppTitle) : m_strPathName;
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Guardar como"), start, tr(kFileFilter));
    return !path.isEmpty() && SaveProjectFile(path);
}

bool CMainFrame::SaveProjectFile(const QString& path)
{
    std::string error;
    if (!m_doc.SaveProject(path.toStdString(), &error))
    {
        ShowMessage(tr("No se puede guardar el proyecto.").toStdString() + "\n" + error, kAppTitle,
                    MessageIcon::Exclamation);
        return false;
    }
    m_pEditor->ProjectSaved();
    // A copy left at the new name by an earlier crash is older than this.
    RemoveAutosave(path);
    SetPathName(path);
    return true;
}

bool CMainFrame::SaveModified()
{
    if (!m_doc.IsModified())
        return true;
    const QString name =
        m_strPathName.isEmpty() ? QString(kAppTitle) : QFileInfo(m_strPathName).fileName();
    const MessageAnswer answer =
        ShowMessage(tr("¿Desea guardar los cambios de %1?").arg(name).toStdString(), kAppTitle,
                    MessageIcon::Exclamation, MessageButtons::SaveDiscardCancel);
    if (answer == MessageAnswer::Save)
        return OnFileSave();
    if (answer != MessageAnswer::Discard)
        return false;
    RemoveAutosave(m_strPathName);
    m_bAutosaveDue = false;
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (SaveModified())
    {
        // Its closing message belongs on screen with the window.
        OnStopRecording();
        event->accept();
    }
    else
        event->ignore();
}

void CMainFrame::OnCapture()
{
    m_doc.OnCapture();
    UpdateCommandStates();
}

void CMainFrame::OnStopCapture()
{
    m_doc.OnStopCapture();
    m_pView->RunLayoutChanged();
}

void CMainFrame::OnProperties()
{
    m_pEditor->EditProperties();
}

void CMainFrame::OnAppAbout()
{
    CAboutDialog about(this);
    about.exec();
}

void CMainFrame::ModifiedChanged(bool bModified)
{
    setWindowModified(bModified);
    if (bModified)
    {
        m_pAutosaveTimer->start();
        return;
    }
    // Saved, undone back to the file, or a new or opened project: the copy
    // no longer holds anything the file does not.
    m_pAutosaveTimer->stop();
    RemoveAutosave(m_strPathName);
    m_bAutosaveDue = false;
}

void CMainFrame::RunStateChanged(bool)
{
    UpdateCommandStates();
}

void CMainFrame::UpdateTitle()
{
    if (m_strPathName.isEmpty())
        setWindowTitle(QString(kAppTitle) + "[*]");
    else
        setWindowTitle(QFileInfo(m_strPathName).fileName() + "[*] - " + kAppTitle);
    setWindowModified(m_doc.IsModified());
}

void CMainFrame::UpdateCommandStates()
{
    m_pCaptureAction->setEnabled(m_doc.OnUpdateCapture());
    m_pStopCaptureAction->setEnabled(m_doc.OnUpdateStopCapture());
    m_pRecordAction->setEnabled(m_doc.IsCapturing() && !m_doc.IsRecording());
    m_pStopRecordAction->setEnabled(m_doc.IsRecording());
}
