// The main window's menus and keyboard shortcuts.
#include "ui/shell/main_frame.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include "document/project_editor.h"

namespace
{
// The visible text without its mnemonic marks, for screen readers.
QString Spoken(const QString& text)
{
    QString spoken = text;
    spoken.remove('&');
    return spoken.remove("...");
}

template <typename Slot>
QAction* AddCommand(QMenu* menu, const QString& text, const char* objectName, Slot slot,
                    const QKeySequence& shortcut = QKeySequence())
{
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    action->setShortcut(shortcut);
    action->setToolTip(Spoken(text));
    QObject::connect(action, &QAction::triggered, menu, slot);
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const QString& title, const char* objectName)
{
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(objectName);
    menu->setAccessibleName(Spoken(title));
    return menu;
}
} // namespace

void CMainFrame::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("menuBar");
    bar->setAccessibleName(tr("Menú principal"));

    m_pFileMenu = AddMenu(bar, tr("&Archivo"), "fileMenu");
    QMenu* file = m_pFileMenu;
    AddCommand(
        file, tr("&Nuevo"), "newAction", [this] { OnFileNew(); }, QKeySequence("Ctrl+N"));
    AddCommand(
        file, tr("&Abrir..."), "openAction", [this] { OnFileOpen(); }, QKeySequence("Ctrl+O"));
    AddCommand(file, tr("Abrir demo"), "openDemoAction", [this] { OnOpenDemo(); });
    AddCommand(
        file, tr("&Guardar"), "saveAction", [this] { OnFileSave(); }, QKeySequence("Ctrl+S"));
    AddCommand(file, tr("Guardar &como..."), "saveAsAction", [this] { OnFileSaveAs(); });
    AddCommand(file, tr("Publicar en la web..."), "publishWebAction", [this] { OnPublishWeb(); });
    file->addSeparator();
    m_pRecentPlaceholder = file->addAction(tr("Archivo reciente"));
    m_pRecentPlaceholder->setObjectName("recentFilePlaceholder");
    m_pRecentPlaceholder->setEnabled(false);
    m_pRecentEnd = file->addSeparator();
    AddCommand(file, tr("&Salir"), "exitAction", [this] { close(); });

    CreateEditMenu();

    QMenu* project = AddMenu(bar, tr("Proyecto"), "projectMenu");
    m_pCaptureAction =
        AddCommand(project, tr("Capturar"), "captureAction", [this] { OnCapture(); });
    m_pStopCaptureAction =
        AddCommand(project, tr("Parar Captura"), "stopCaptureAction", [this] { OnStopCapture(); });
    m_pRecordAction =
        AddCommand(project, tr("Grabar vídeo..."), "recordAction", [this] { OnRecord(); });
    m_pStopRecordAction = AddCommand(project, tr("Parar grabación"), "stopRecordAction",
                                     [this] { OnStopRecording(); });
    AddCommand(project, tr("Guardar imagen..."), "saveImageAction", [this] { OnSaveImage(); });
    project->addSeparator();
    AddCommand(project, tr("Elegir cámara..."), "chooseCameraAction", [this] { OnChooseCamera(); });
    AddCommand(project, tr("Propiedades"), "propertiesAction", [this] { OnProperties(); });
    connect(project, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });

    QMenu* help = AddMenu(bar, tr("Ay&uda"), "helpMenu");
    AddCommand(help, tr("&Acerca de Zelmora..."), "aboutAction", [this] { OnAppAbout(); });
    for (QAction* action : findChildren<QAction*>())
        if (!action->text().isEmpty())
            action->setStatusTip(Spoken(action->text()));
}

void CMainFrame::CreateEditMenu()
{
    QMenu* edit = AddMenu(menuBar(), tr("&Edición"), "editMenu");
    QUndoStack& stack = m_pEditor->UndoStack();
    QAction* undo = AddCommand(edit, tr("&Deshacer"), "undoAction", [&stack] { stack.undo(); });
    undo->setShortcuts({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")});
    QAction* redo = AddCommand(
        edit, tr("&Rehacer"), "redoAction", [&stack] { stack.redo(); }, QKeySequence("Ctrl+Y"));
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
}

// Keys the window reserves without a command behind them (printing, the
// clipboard, pane switching): they are taken, so they do nothing here
// rather than reach whatever has the focus by surprise.
void CMainFrame::CreateInertShortcuts()
{
    const char* const keys[] = {"Ctrl+P", "Ctrl+X",    "Shift+Del", "Ctrl+C",  "Ctrl+Ins",
                                "Ctrl+V", "Shift+Ins", "F6",        "Shift+F6"};
    for (const char* key : keys)
    {
        auto* action = new QAction(this);
        action->setObjectName(QString("reservedKey_") + key);
        action->setShortcut(QKeySequence(key));
        addAction(action);
    }
}

void CMainFrame::UpdateRecentMenu()
{
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList& files = m_recentFiles.Files();
    m_pRecentPlaceholder->setVisible(files.isEmpty());
    for (int k = 0; k < files.size(); ++k)
    {
        const QString path = files[k];
        auto* action = new QAction(QString("&%1 %2").arg(k + 1).arg(path), m_pFileMenu);
        action->setObjectName(QString("recentFileAction%1").arg(k + 1));
        action->setStatusTip(tr("Abrir este documento"));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
        m_pFileMenu->insertAction(m_pRecentEnd, action);
        m_recentActions.append(action);
    }
}
