#pragma once
// The main window: the menus, the editor view filling the client area, the
// project's file commands (New, Open, Save, Save As, recent files) with the
// save prompt before unsaved changes are thrown away, and the run commands.
// It owns the view; the document belongs to the application. GUI thread.

#include "document/document_hosts.h"
#include "ui/shell/recent_file_list.h"

#include <QMainWindow>

#include <memory>

class CNavigatorDialogBar;
class CProjectEditor;
class CQtDialogHost;
class CZelmoraDoc;
class CZelmoraView;
class QAction;
class QLabel;
class QMenu;
class QTimer;

class CMainFrame : public QMainWindow, public CDocumentFrame
{
    Q_OBJECT
  public:
    explicit CMainFrame(CZelmoraDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CZelmoraView* View() const { return m_pView; }
    CNavigatorDialogBar* Navigator() const { return m_pNavigator; }
    CProjectEditor* Editor() const { return m_pEditor; }
    // The window as a person sees it, the editor view's picture included.
    QImage Snapshot();
    // The project's file, empty for one never saved.
    const QString& PathName() const { return m_strPathName; }

    // The file commands behind the menu; the ones that take a path are what
    // the file dialogs, the recent-file list and the command line call.
    bool OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool OpenProjectFile(const QString& path);
    bool SaveProjectFile(const QString& path);
    void OnCapture();
    void OnStopCapture();
    void OnProperties();
    // "Guardar imagen...": the editor view as drawn, to a PNG file. False
    // (with a message) for another extension or a file that cannot be
    // written; nothing is left half-written.
    void OnSaveImage();
    bool SaveImage(const QString& path);
    // "Grabar vídeo..." / "Parar grabación".
    void OnRecord();
    bool StartRecording(const QString& path);
    void OnStopRecording();
    // "Elegir cámara...": no device or an unsaved project is said and changes nothing.
    void OnChooseCamera();
    void OnAppAbout();
    // "Abrir demo": the bundled demo, written once into the user's data
    // folder (on a worker thread, behind a progress box) and opened.
    void OnOpenDemo();
    // "Publicar en la web...": asks for a folder and publishes into it.
    void OnPublishWeb();
    // Publishes the open project into `folder` on a worker thread behind a
    // progress box that can cancel; says how it went. False when nothing
    // was published.
    bool PublishWeb(const QString& folder);
    // Offers the crash copy of `projectPath` (of the never-saved project
    // when empty) when it is newer than the project: "Restaurar" takes it as
    // the project's unsaved state, "Descartar" deletes it.
    void OfferRestore(const QString& projectPath);

    void ModifiedChanged(bool bModified) override;
    void RunStateChanged(bool bCapturing) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateMenus();
    void CreateEditMenu();
    void ConnectEditing();
    void CreateInertShortcuts();
    // Files dragged onto the window or the view (main_frame_drop.cpp).
    void CreateDropTarget();
    void DropFiles(const QStringList& paths);
    void UpdateRecentMenu();
    void UpdateTitle();
    void UpdateCommandStates();
    void StartAutosave();
    void OnAutosave();
    // Save / Discard / Cancel before unsaved changes go; true to go on.
    bool SaveModified();
    void OpenRecentFile(const QString& path);
    // The project's file is now `path`: title and recent files follow.
    void SetPathName(const QString& path);

    CZelmoraDoc& m_doc;
    CZelmoraView* m_pView = nullptr;
    CNavigatorDialogBar* m_pNavigator = nullptr;
    CProjectEditor* m_pEditor = nullptr;
    std::unique_ptr<CQtDialogHost> m_pDialogHost;
    CRecentFileList m_recentFiles;
    QString m_strPathName;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentPlaceholder = nullptr;
    QAction* m_pRecentEnd = nullptr; // the separator after the list
    QList<QAction*> m_recentActions;
    QAction* m_pCaptureAction = nullptr;
    QAction* m_pStopCaptureAction = nullptr;
    QAction* m_pRecordAction = nullptr;
    QAction* m_pStopRecordAction = nullptr;
    QTimer* m_pAutosaveTimer = nullptr;
    bool m_bAutosaveDue = false;       // an edit since the last copy
    QLabel* m_pAutosaveNote = nullptr; // why the last copy failed
};
