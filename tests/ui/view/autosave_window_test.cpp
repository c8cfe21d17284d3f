// Nothing lost in a crash: the real program, killed after an edit, offers
// its copy at the next start, and the project it restores is the edited one.
#include "document/autosave.h"
#include "document/zelmora_doc.h"
#include "ui/shell/main_frame.h"
#include "window_tests.h"
#include "x11_input.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <memory>

namespace
{
// Starting the program and writing its copy on a machine busy with builds.
constexpr int kProgramTimeoutMs = 40000;
constexpr uint32_t kReturnKeysym = 0xff0d;

// Where "Vista Única" sits in a maximized main window: the program lays out
// its own window the same way on the same display.
QPoint SingleViewCheckInMaximizedWindow()
{
    CZelmoraDoc doc;
    doc.OnNewDocument();
    CMainFrame frame(doc);
    frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    frame.showMaximized();
    if (!QTest::qWaitForWindowExposed(&frame, kProgramTimeoutMs))
        return QPoint();
    const auto* check = frame.findChild<QCheckBox*>("singleViewCheck");
    // The box itself, at the left end of the control.
    return check->mapTo(&frame, QPoint(check->height() / 2, check->height() / 2));
}

std::unique_ptr<QProcess> StartProgram(const ScratchFolder& folder, const std::string& project)
{
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ZELMORA_AUTOSAVE_SECONDS", "1");
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.Path("config")));
    environment.insert("XDG_DATA_HOME", QString::fromStdString(folder.Path("datos")));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    // The test's clicks are core X events; without this Qt listens to the
    // XInput 2 pointer only.
    environment.insert("QT_XCB_NO_XI2_MOUSE", "1");
    program->setProcessEnvironment(environment);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->start(ZELMORA_BINARY, {QString::fromStdString(project)});
    return program;
}
} // namespace

class AutosaveWindowTest : public QObject
{
    Q_OBJECT

  private:
    // Waits for the program's window titled `title`; 0 (and the titles it
    // has) when it never shows.
    uint32_t WaitForWindow(const QProcess& program, const QString& title)
    {
        uint32_t window = 0;
        const bool shown = QTest::qWaitFor(
            [&] { return (window = m_x11.FindWindow(program.processId(), title)) != 0; },
            kProgramTimeoutMs);
        if (!shown)
            qWarning("no window \"%s\" among: %s", qPrintable(title),
                     qPrintable(m_x11.Titles(program.processId()).join(" | ")));
        return window;
    }

    CX11Input m_x11;

  private slots:
    void KillingAfterAnEditOffersTheCopyAndRestoresTheEditedProject()
    {
        QVERIFY(m_x11.IsConnected());
        const QPoint check = SingleViewCheckInMaximizedWindow();
        QVERIFY(!check.isNull());
        ScratchFolder folder;
        const std::string project = WriteVideoProject(folder);
        const std::string original = ReadBytes(project);
        const QString copy = AutosavePath(QString::fromStdString(project));
        CZelmoraDoc edited;
        QVERIFY(edited.OpenProject(project, nullptr, false));
        edited.m_settings.m_bSingleView = !edited.m_settings.m_bSingleView;
        QVERIFY(edited.SaveProject(folder.Path("editado.zel"), nullptr));

        auto first = StartProgram(folder, project);
        const uint32_t window = WaitForWindow(*first, "p.zel - Zelmora");
        QVERIFY(window);
        m_x11.Click(window, check.x(), check.y());
        QVERIFY(WaitForWindow(*first, "p.zel* - Zelmora"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(copy), kProgramTimeoutMs);
        first->kill();
        QVERIFY(first->waitForFinished(kProgramTimeoutMs));
        QCOMPARE(ReadBytes(project), original);

        auto second = StartProgram(folder, project);
        const uint32_t offer = WaitForWindow(*second, "Copia de seguridad");
        QVERIFY(offer);
        m_x11.Key(offer, kReturnKeysym);
        const uint32_t restored = WaitForWindow(*second, "p.zel* - Zelmora");
        QVERIFY(restored);
        m_x11.Key(restored, 's', true);
        // Saving writes the restored project and removes the copy.
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(copy), kProgramTimeoutMs);
        QVERIFY(WaitForWindow(*second, "p.zel - Zelmora"));
        second->kill();
        QVERIFY(second->waitForFinished(kProgramTimeoutMs));
        QCOMPARE(ReadBytes(project), ReadBytes(folder.Path("editado.zel")));
    }
};

int RunAutosaveWindowTests(int argc, char** argv)
{
    AutosaveWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "autosave_window_test.moc"
