// The main window as a user drives it: menus and keys, the run commands,
// the recent files, and the save prompt before changes are thrown away.
#include "ui/shell/main_frame.h"
#include "document/autosave.h"
#include "document/project_editor.h"
#include "document/zelmora_doc.h"
#include "support/quiet_demo.h"
#include "support/video_decode.h"
#include "ui/view/navigator_dialog_bar.h"
#include "ui/view/zelmora_view.h"
#include "window_tests.h"
#include "ui/dialogs/dialog_test_support.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace
{
constexpr int kRunTimeoutMs = 10000;

struct MenuAction
{
    QString name, text, keys;
};
const MenuAction kActions[] = {
    {"newAction", "&Nuevo", "Ctrl+N"},
    {"openAction", "&Abrir...", "Ctrl+O"},
    {"openDemoAction", "Abrir demo", ""},
    {"saveAction", "&Guardar", "Ctrl+S"},
    {"saveAsAction", "Guardar &como...", ""},
    {"publishWebAction", "Publicar en la web...", ""},
    {"exitAction", "&Salir", ""},
    {"undoAction", "&Deshacer", "Ctrl+Z"},
    {"redoAction", "&Rehacer", "Ctrl+Y"},
    {"captureAction", "Capturar", ""},
    {"recordAction", "Grabar vídeo...", ""},
    {"stopRecordAction", "Parar grabación", ""},
    {"saveImageAction", "Guardar imagen...", ""},
    {"stopCaptureAction", "Parar Captura", ""},
    {"chooseCameraAction", "Elegir cámara...", ""},
    {"propertiesAction", "Propiedades", ""},
    {"aboutAction", "&Acerca de Zelmora...", ""},
};
} // namespace

class MainFrameTest : public CWindowTest
{
    Q_OBJECT

  private:
    QAction* Action(const char* name) { return Frame()->findChild<QAction*>(name); }

  private slots:
    void init()
    {
        m_pWindow = std::make_unique<CWindowUnderTest>();
        QVERIFY(m_pWindow->Show(640, 480));
    }

    void cleanup()
    {
        m_pWindow.reset();
        QSettings().clear();
    }

    void menusShowTheirTextsAndShortcuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        for (const auto& [name, text, keys] : kActions)
            QTest::newRow(QString(text).remove('&').toUtf8()) << name << text << keys;
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
        for (QMenu* menu :
             {Frame()->findChild<QMenu*>("fileMenu"), Frame()->findChild<QMenu*>("editMenu"),
              Frame()->findChild<QMenu*>("projectMenu"), Frame()->findChild<QMenu*>("helpMenu")})
            titles << menu->title() + "|" + menu->accessibleName();
        QCOMPARE(titles, QStringList({"&Archivo|Archivo", "&Edición|Edición", "Proyecto|Proyecto",
                                      "Ay&uda|Ayuda"}));
        QCOMPARE(Frame()->windowTitle(), QString("Zelmora[*]"));
    }

    void reservedKeysDoNothing()
    {
        const int windows = QApplication::topLevelWidgets().size();
        for (const QKeySequence& keys :
             {QKeySequence("Ctrl+P"), QKeySequence("Ctrl+X"), QKeySequence("Ctrl+C"),
              QKeySequence("Ctrl+V"), QKeySequence("F6")})
            QTest::keySequence(Frame(), keys);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QVERIFY(Messages().m_messages.empty());
        QVERIFY(!Doc().IsModified());

        // Keys with a command do reach it: Ctrl+S saves.
        QVERIFY(Frame()->SaveProjectFile(Path("k.zel")));
        Doc().SetModifiedFlag();
        QTest::keySequence(Frame(), QKeySequence("Ctrl+S"));
        QVERIFY(!Doc().IsModified());
    }

    void aSavedImageHoldsTheViewsPixelsAndABadNameWritesNothing()
    {
        for (const auto& [name, reason] :
             {std::pair("vista.jpg", "terminar en .png"),
              std::pair("falta/vista.png", "No se puede guardar la imagen")})
        {
            QVERIFY(!Frame()->SaveImage(Path(name)));
            QVERIFY2(Messages().Said(reason), name);
            QVERIFY(QDir(QString::fromStdString(Folder().Path())).isEmpty());
        }
        QVERIFY(Frame()->OpenProjectFile(QString::fromStdString(WriteVideoProject(Folder()))));
        Doc().m_settings.m_bSingleView = false;
        QVERIFY(Frame()->SaveImage(Path("vista.png")));
        const QImage saved(Path("vista.png"));
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 Frame()->View()->Render().convertToFormat(QImage::Format_RGB32));
    }

    void runAndRecordCommandsFollowTheRunAndTheRecording()
    {
        QAction* capture = Action("captureAction");
        QAction* stopCapture = Action("stopCaptureAction");
        QAction* record = Action("recordAction");
        QAction* stop = Action("stopRecordAction");
        QVERIFY(capture->isEnabled() && !stopCapture->isEnabled());
        QVERIFY(!record->isEnabled() && !stop->isEnabled());
        QVERIFY(!Frame()->StartRecording(Path("sin.webm")));
        QVERIFY(Messages().Said("Inicie la captura"));

        QVERIFY(Frame()->OpenProjectFile(QString::fromStdString(WriteVideoProject(Folder()))));
        capture->trigger();
        QVERIFY(Doc().IsCapturing());
        QVERIFY(!capture->isEnabled() && stopCapture->isEnabled() && record->isEnabled());
        QVERIFY(!Frame()->StartRecording(Path("r.avi")));
        QVERIFY(Messages().Said("terminar en .webm"));
        QVERIFY(!Frame()->StartRecording(Path("falta/r.webm")));
        QVERIFY(Messages().Said("No se puede grabar"));
        QVERIFY(!Doc().IsRecording());

        QVERIFY(Frame()->StartRecording(Path("r.webm")));
        QVERIFY(!record->isEnabled());
        QVERIFY(stop->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(Doc().IsRecording() && QFileInfo(Path("r.webm")).size() > 0,
                                 kRunTimeoutMs);
        QTest::qWait(300);
        // Ending the run ends its recording too.
        stopCapture->trigger();
        QVERIFY(!Doc().IsCapturing() && !Doc().IsRecording());
        QVERIFY(capture->isEnabled() && !stopCapture->isEnabled() && !stop->isEnabled());
        QVERIFY(Messages().Said("Vídeo guardado en"));
        const CVideoRecorder::Summary& summary = Doc().LastRecording();
        QVERIFY(summary.nWritten > 0);
        const DecodedVideo video = DecodeWebm(Folder().Path("r.webm"), 0);
        QCOMPARE(video.error, std::string());
        QCOMPARE(video.frames, summary.nWritten);
        QCOMPARE(video.width, 64);
    }

    void aPipelineErrorEndsTheRunWithItsCause()
    {
        // A camera that fails after three frames, as one unplugged does.
        const std::string project = WriteVideoProject(
            Folder(), "videotestsrc ! video/x-raw,width=64,height=48 ! identity error-after=3");
        QVERIFY(Frame()->OpenProjectFile(QString::fromStdString(project)));
        Frame()->OnCapture();
        QVERIFY(Doc().IsCapturing());
        QTRY_VERIFY_WITH_TIMEOUT(!Doc().IsCapturing(), kRunTimeoutMs);
        QVERIFY(Messages().Said("La captura se ha detenido"));
        QVERIFY(Messages().Said("identity"));
        QVERIFY(Action("captureAction")->isEnabled());
        QVERIFY(!Action("stopCaptureAction")->isEnabled());
    }

    void recentFilesKeepTheLatestFour()
    {
        QVERIFY(Action("recentFilePlaceholder")->isVisible());
        QVERIFY(!Action("recentFilePlaceholder")->isEnabled());
        const char* names[] = {"1.zel", "2.zel", "3.zel", "4.zel", "5.zel"};
        for (const char* name : names)
            QVERIFY(Frame()->SaveProjectFile(Path(name)));
        QVERIFY(Frame()->SaveProjectFile(Path("3.zel")));
        QStringList shown;
        for (int k = 1; k <= 5; ++k)
            if (QAction* recent = Action(QString("recentFileAction%1").arg(k).toUtf8()))
                shown << recent->text();
        QCOMPARE(shown, QStringList({"&1 " + Path("3.zel"), "&2 " + Path("5.zel"),
                                     "&3 " + Path("4.zel"), "&4 " + Path("2.zel")}));
        QVERIFY(!Action("recentFilePlaceholder")->isVisible());

        QFile::remove(Path("5.zel"));
        Action("recentFileAction2")->trigger();
        QVERIFY(Messages().Said("5.zel"));
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
        QVERIFY(Frame()->SaveProjectFile(Path("p.zel")));
        Doc().m_trackers.emplace_back();
        Doc().SetModifiedFlag();
        QVERIFY(Frame()->isWindowModified());

        std::string error;
        QVERIFY2(WriteAutosave(Doc(), Path("p.zel"), &error), error.c_str());

        Messages().m_answers = {MessageAnswer(answer)};
        QCOMPARE(Frame()->OnFileNew(), goesOn);
        // The crash copy goes with the changes, saved or thrown away.
        QCOMPARE(QFileInfo::exists(AutosavePath(Path("p.zel"))), !goesOn);
        QCOMPARE(Messages().m_messages.back().buttons, MessageButtons::SaveDiscardCancel);
        QCOMPARE(Doc().IsModified(), !goesOn);
        QCOMPARE(Doc().m_trackers.size(), size_t(goesOn ? 0 : 1));
        CZelmoraDoc saved;
        QVERIFY(saved.OpenProject(Folder().Path("p.zel"), nullptr, false));
        QCOMPARE(saved.m_trackers.size(), size_t(savedTrackers));
    }

    // A crash copy newer than the project is offered as the project opens:
    // restored it is the project's unsaved state under the project's own
    // name; discarded, or damaged, the project opens as it was saved.
    void aCrashCopyIsOfferedWhenItsProjectOpens_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<bool>("restored");
        QTest::newRow("Restaurar") << "restoreButton" << false << true;
        QTest::newRow("Descartar") << "discardCopyButton" << false << false;
        QTest::newRow("dañada") << "restoreButton" << true << false;
    }

    void aCrashCopyIsOfferedWhenItsProjectOpens()
    {
        QFETCH(QString, button);
        QFETCH(bool, damaged);
        QFETCH(bool, restored);
        const QString project = Path("p.zel");
        QVERIFY(Frame()->SaveProjectFile(project));
        Doc().m_trackers.emplace_back();
        std::string error;
        QVERIFY2(WriteAutosave(Doc(), project, &error), error.c_str());
        const QString copy = AutosavePath(project);
        if (damaged)
            WriteBytes(copy.toStdString(), "ZL");
        QVERIFY(Frame()->OnFileNew());

        QString offer;
        AnswerNextDialog(
            [&](QWidget* box)
            {
                offer = box->objectName();
                Click(box, button);
            });
        QVERIFY(Frame()->OpenProjectFile(project));
        QCOMPARE(offer, QString("restoreBox"));
        QCOMPARE(Frame()->PathName(), project);
        QCOMPARE(Doc().m_trackers.size(), size_t(restored ? 1 : 0));
        QCOMPARE(Frame()->isWindowModified(), restored);
        QCOMPARE(Frame()->windowTitle().startsWith("p.zel[*]"), true);
        QCOMPARE(QFileInfo::exists(copy), restored);
        QCOMPARE(QFileInfo::exists(copy + ".danada"), damaged);
        QCOMPARE(Messages().Said("dañada"), damaged);
        // Undo cannot take a restored project back to "saved".
        Frame()->Editor()->UndoStack().undo();
        QCOMPARE(Doc().IsModified(), restored);
    }

    // A copy that cannot be written is a note below the window, never a
    // box, and the edit stays; the next copy that can be written clears it.
    void aCopyThatCannotBeWrittenIsANoteNotABox()
    {
        QVERIFY(QDir().mkpath(Path("ido")));
        QVERIFY(Frame()->SaveProjectFile(Path("ido/p.zel")));
        QVERIFY(QDir(Path("ido")).removeRecursively());
        Click(Frame()->Navigator(), "singleViewCheck");
        QVERIFY(Doc().IsModified());
        Frame()->findChild<QTimer*>("autosaveTimer")->start(1);
        QTRY_VERIFY(Frame()->findChild<QLabel*>("autosaveNote") &&
                    Frame()->findChild<QLabel*>("autosaveNote")->isVisible());
        QVERIFY(Frame()->findChild<QLabel*>("autosaveNote")->text().contains("copia"));
        QVERIFY(Messages().m_messages.empty());
        QVERIFY(Doc().IsModified());
        QVERIFY(QDir().mkpath(Path("ido")));
        QTRY_VERIFY(!Frame()->findChild<QLabel*>("autosaveNote")->isVisible());
        QVERIFY(QFileInfo::exists(Path("ido/.p.zel.autosave")));
    }

    // A complete demo in the data folder is opened as it is; a folder
    // without its project is written first.
    void openDemoOpensTheDemoFromTheDataFolder()
    {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/demo";
        const QString project = folder + "/demo.zel";
        QDir(folder).removeRecursively();
        std::string error;
        QVERIFY2(WriteQuietDemo(folder.toStdString(), 1, &error), error.c_str());
        const QDateTime kept = QFileInfo(project).lastModified();
        Action("openDemoAction")->trigger();
        QCOMPARE(Frame()->PathName(), project);
        QCOMPARE(Doc().m_trackers.size(), size_t(2));
        QCOMPARE(QFileInfo(project).lastModified(), kept);

        QFile::remove(project);
        QVERIFY(Frame()->OnFileNew());
        Action("openDemoAction")->trigger();
        QCOMPARE(Frame()->PathName(), project);
        QCOMPARE(Doc().m_trackers.size(), size_t(2));
        QVERIFY(QFileInfo::exists(folder + "/fotogramas/fotograma0089.jpg"));
        QVERIFY(Messages().m_messages.empty());
        QDir(folder).removeRecursively();
    }

    // Publishing runs behind a progress box; a project that cannot be
    // published says why and writes nothing.
    void publishWebWritesTheSiteOrSaysWhyNot()
    {
        QVERIFY(!Frame()->PublishWeb(Path("web")));
        QVERIFY(Messages().Said("Guarde el proyecto antes de publicarlo en la web"));
        std::string error;
        QVERIFY2(WriteQuietDemo(Path("demo").toStdString(), 1, &error), error.c_str());
        QVERIFY(Frame()->OpenProjectFile(Path("demo/demo.zel")));
        QVERIFY(Frame()->PublishWeb(Path("web")));
        QVERIFY(QFileInfo::exists(Path("web/site.json")));
        QVERIFY(Messages().Said("El proyecto está publicado en"));

        QFile::remove(Path("demo/modelos/casa.3ds"));
        QVERIFY(!Frame()->PublishWeb(Path("web2")));
        QVERIFY(Messages().Said("No se puede publicar en la web; no se ha escrito nada.\n"
                                "tracker 'Coche': cannot use the model 'modelos/casa.3ds'"));
        QVERIFY(!QFileInfo::exists(Path("web2")));
    }

    // This machine has no camera; a chosen one is an edit that undoes.
    void choosingACameraWithoutOneChangesNothingAndAChosenOneUndoes()
    {
        Action("chooseCameraAction")->trigger();
        QVERIFY(Messages().Said("Guarde el proyecto antes de elegir la cámara"));
        QVERIFY(Frame()->SaveProjectFile(Path("c.zel")));
        Action("chooseCameraAction")->trigger();
        QVERIFY(Messages().Said("No se ha encontrado ninguna cámara"));
        QCOMPARE(Doc().m_settings.m_strVideoConfig, std::string());
        QVERIFY(!Doc().IsModified());
        QVERIFY(!Frame()->Editor()->UndoStack().canUndo());

        Frame()->Editor()->SetVideoConfig("camara-video0.cfg");
        QCOMPARE(Doc().m_settings.m_strVideoConfig, std::string("camara-video0.cfg"));
        QVERIFY(Doc().IsModified());
        QCOMPARE(Frame()->Editor()->UndoStack().undoText(), QString("Elegir cámara"));
        Frame()->Editor()->UndoStack().undo();
        QCOMPARE(Doc().m_settings.m_strVideoConfig, std::string());
        QVERIFY(!Doc().IsModified());
    }

    void aFailedSaveOrOpenSaysWhyAndLeavesTheWindowAsItWas()
    {
        Doc().SetModifiedFlag();
        QVERIFY(!Frame()->SaveProjectFile(Path("no/such/folder/p.zel")));
        QVERIFY(Messages().Said("No se puede guardar el proyecto"));
        QVERIFY(Doc().IsModified());
        QCOMPARE(Frame()->PathName(), QString());

        QVERIFY(Frame()->SaveProjectFile(Path("good.zel")));
        QFile bad(Path("bad.zel"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("\x05trunc");
        bad.close();
        QVERIFY(!Frame()->OpenProjectFile(Path("bad.zel")));
        QVERIFY(Messages().Said("bad.zel"));
        QCOMPARE(Frame()->PathName(), Path("good.zel"));
        QCOMPARE(Frame()->windowTitle(), QString("good.zel[*] - Zelmora"));
    }
};

QT_TEST_SUITE(RunMainFrameTests, MainFrameTest)

#include "main_frame_test.moc"
