// The main window as a user drives it: menus and keys, the run commands,
// the recent files, and the save prompt before changes are thrown away.
#include "app/main_frame.h"
#include "app/zelmora_doc.h"
#include "view/zelmora_view.h"
#include "window_tests.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QTest>

#include <memory>

namespace
{
constexpr int kRunTimeoutMs = 10000;

} // namespace

class MainFrameTest : public QObject
{
    Q_OBJECT

private:
    QAction* Action(const char* name) { return m_pFrame->findChild<QAction*>(name); }
    QString Path(const char* name) { return QString::fromStdString(m_pFolder->Path(name)); }

    std::unique_ptr<ScratchFolder> m_pFolder;
    std::unique_ptr<RecordingMessages> m_pMessages;
    std::unique_ptr<CZelmoraDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;

private slots:
    void init()
    {
        m_pFolder = std::make_unique<ScratchFolder>();
        m_pMessages = std::make_unique<RecordingMessages>();
        m_pDoc = std::make_unique<CZelmoraDoc>();
        m_pDoc->OnNewDocument();
        m_pFrame = std::make_unique<CMainFrame>(*m_pDoc);
        m_pFrame->resize(640, 480);
        m_pFrame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pFrame.get()));
        m_pFrame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pFrame.get()));
        QTRY_VERIFY(m_pFrame->View()->IsReady());
    }

    void cleanup()
    {
        m_pFrame.reset();
        m_pDoc.reset();
        m_pMessages.reset();
        m_pFolder.reset();
        QSettings().clear();
    }

    void menusShowTheirTextsAndShortcuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::newRow("Nuevo") << "newAction" << "&Nuevo" << "Ctrl+N";
        QTest::newRow("Abrir") << "openAction" << "&Abrir..." << "Ctrl+O";
        QTest::newRow("Guardar") << "saveAction" << "&Guardar" << "Ctrl+S";
        QTest::newRow("Guardar como") << "saveAsAction" << "Guardar &como..." << "";
        QTest::newRow("Salir") << "exitAction" << "&Salir" << "";
        QTest::newRow("Deshacer") << "undoAction" << "&Deshacer" << "Ctrl+Z";
        QTest::newRow("Rehacer") << "redoAction" << "&Rehacer" << "Ctrl+Y";
        QTest::newRow("Capturar") << "captureAction" << "Capturar" << "";
        QTest::newRow("Parar Captura") << "stopCaptureAction" << "Parar Captura" << "";
        QTest::newRow("Propiedades") << "propertiesAction" << "Propiedades" << "";
        QTest::newRow("Acerca de") << "aboutAction" << "&Acerca de Zelmora..." << "";
    }

    void menusShowTheirTextsAndShortcuts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QAction* action = Action(name.toUtf8());
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->shortcut(), QKeySequence(keys));
    }

    void menusInOrderWithTheirMnemonics()
    {
        QStringList titles;
        for (QMenu* menu : {m_pFrame->findChild<QMenu*>("fileMenu"),
                            m_pFrame->findChild<QMenu*>("editMenu"),
                            m_pFrame->findChild<QMenu*>("projectMenu"),
                            m_pFrame->findChild<QMenu*>("helpMenu")})
            titles << menu->title() + "|" + menu->accessibleName();
        QCOMPARE(titles, QStringList({"&Archivo|Archivo", "&Edición|Edición", "Proyecto|Proyecto",
                                     "Ay&uda|Ayuda"}));
        QCOMPARE(m_pFrame->windowTitle(), QString("Zelmora[*]"));
    }

    void reservedKeysDoNothing()
    {
        const int windows = QApplication::topLevelWidgets().size();
        for (const QKeySequence& keys : {QKeySequence("Ctrl+P"),
                                        QKeySequence("Ctrl+X"), QKeySequence("Ctrl+C"),
                                        QKeySequence("Ctrl+V"), QKeySequence("F6")})
            QTest::keySequence(m_pFrame.get(), keys);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QVERIFY(m_pMessages->m_messages.empty());
        QVERIFY(!m_pDoc->IsModified());

        // Keys with a command do reach it: Ctrl+S saves.
        QVERIFY(m_pFrame->SaveProjectFile(Path("k.zel")));
        m_pDoc->SetModifiedFlag();
        QTest::keySequence(m_pFrame.get(), QKeySequence("Ctrl+S"));
        QVERIFY(!m_pDoc->IsModified());
    }

    void runCommandsFollowTheRun()
    {
        QAction* capture = Action("captureAction");
        QAction* stop = Action("stopCaptureAction");
        QVERIFY(capture->isEnabled());
        QVERIFY(!stop->isEnabled());
        capture->trigger();
        QVERIFY(m_pMessages->Said("Guarde el proyecto"));
        QVERIFY(!m_pDoc->IsCapturing());

        QVERIFY(m_pFrame->OpenProjectFile(
            QString::fromStdString(WriteVideoProject(*m_pFolder))));
        capture->trigger();
        QVERIFY(m_pDoc->IsCapturing());
        QVERIFY(!capture->isEnabled());
        QVERIFY(stop->isEnabled());
        stop->trigger();
        QVERIFY(!m_pDoc->IsCapturing());
        QVERIFY(capture->isEnabled());
        QVERIFY(!stop->isEnabled());
    }

    void aPipelineErrorEndsTheRunWithItsCause()
    {
        // A camera that fails after three frames, as one unplugged does.
        const std::string project = WriteVideoProject(
            *m_pFolder, "videotestsrc ! video/x-raw,width=64,height=48 ! identity error-after=3");
        QVERIFY(m_pFrame->OpenProjectFile(QString::fromStdString(project)));
        m_pFrame->OnCapture();
        QVERIFY(m_pDoc->IsCapturing());
        QTRY_VERIFY_WITH_TIMEOUT(!m_pDoc->IsCapturing(), kRunTimeoutMs);
        QVERIFY(m_pMessages->Said("La captura se ha detenido"));
        QVERIFY(m_pMessages->Said("identity"));
        QVERIFY(Action("captureAction")->isEnabled());
        QVERIFY(!Action("stopCaptureAction")->isEnabled());
    }

    void recentFilesKeepTheLatestFour()
    {
        QVERIFY(Action("recentFilePlaceholder")->isVisible());
        QVERIFY(!Action("recentFilePlaceholder")->isEnabled());
        const char* names[] = {"1.zel", "2.zel", "3.zel", "4.zel", "5.zel"};
        for (const char* name : names)
            QVERIFY(m_pFrame->SaveProjectFile(Path(name)));
        QVERIFY(m_pFrame->SaveProjectFile(Path("3.zel")));
        QStringList shown;
        for (int k = 1; k <= 5; ++k)
            if (QAction* recent = Action(QString("recentFileAction%1").arg(k).toUtf8()))
                shown << recent->text();
        QCOMPARE(shown, QStringList({"&1 " + Path("3.zel"), "&2 " + Path("5.zel"),
                                     "&3 " + Path("4.zel"), "&4 " + Path("2.zel")}));
        QVERIFY(!Action("recentFilePlaceholder")->isVisible());

        QFile::remove(Path("5.zel"));
        Action("recentFileAction2")->trigger();
        QVERIFY(m_pMessages->Said("5.zel"));
        QCOMPARE(Action("recentFileAction2")->text(), "&2 " + Path("4.zel"));
        QVERIFY(!Action("recentFileAction4"));
    }

    void savePromptAnswers_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<int>("savedTrackers");
        QTest::newRow("Guardar") << int(MessageAnswer::Save) << true << 1;
        QTest::newRow("Descartar") << int(MessageAnswer::Discard) << true << 0;
        QTest::newRow("Cancelar") << int(MessageAnswer::Cancel) << false << 0;
    }

    void savePromptAnswers()
    {
        QFETCH(int, answer);
        QFETCH(bool, goesOn);
        QFETCH(int, savedTrackers);
        QVERIFY(m_pFrame->SaveProjectFile(Path("p.zel")));
        m_pDoc->m_trackers.emplace_back();
        m_pDoc->SetModifiedFlag();
        QVERIFY(m_pFrame->isWindowModified());

        m_pMessages->m_answers = {MessageAnswer(answer)};
        QCOMPARE(m_pFrame->OnFileNew(), goesOn);
        QCOMPARE(m_pMessages->m_messages.back().buttons, MessageButtons::SaveDiscardCancel);
        QCOMPARE(m_pDoc->IsModified(), !goesOn);
        QCOMPARE(m_pDoc->m_trackers.size(), size_t(goesOn ? 0 : 1));
        CZelmoraDoc saved;
        QVERIFY(saved.OpenProject(m_pFolder->Path("p.zel"), nullptr, false));
        QCOMPARE(saved.m_trackers.size(), size_t(savedTrackers));
    }

    void aFailedSaveSaysWhyAndKeepsTheChanges()
    {
        m_pDoc->SetModifiedFlag();
        QVERIFY(!m_pFrame->SaveProjectFile(Path("no/such/folder/p.zel")));
        QVERIFY(m_pMessages->Said("No se puede guardar el proyecto"));
        QVERIFY(m_pDoc->IsModified());
        QCOMPARE(m_pFrame->PathName(), QString());
    }

    void aProjectThatCannotBeOpenedLeavesTheWindowAsItWas()
    {
        QVERIFY(m_pFrame->SaveProjectFile(Path("good.zel")));
        QFile bad(Path("bad.zel"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("\x05trunc");
        bad.close();
        QVERIFY(!m_pFrame->OpenProjectFile(Path("bad.zel")));
        QVERIFY(m_pMessages->Said("bad.zel"));
        QCOMPARE(m_pFrame->PathName(), Path("good.zel"));
        QCOMPARE(m_pFrame->windowTitle(), QString("good.zel[*] - Zelmora"));
    }
};

int RunMainFrameTests(int argc, char** argv)
{
    MainFrameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_frame_test.moc"
