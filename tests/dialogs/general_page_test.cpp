// The properties sheet and its "Aviso" and "General" pages.
#include "dialog_test_support.h"
#include "dialog_tests.h"

#include "dialogs/aviso_page.h"
#include "dialogs/general_page.h"
#include "dialogs/properties_sheet.h"
#include "support/project_fixture.h"
#include "support/recording_messages.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>

namespace
{
CProjectSettings SampleSettings()
{
    CProjectSettings settings;
    settings.m_strVideoConfig = "v.cfg";
    settings.m_strCameraParam = "c.dat";
    settings.m_bAutoThreshold = false;
    settings.m_nThreshold = 100;
    settings.m_nViewZoom = 4;
    return settings;
}
} // namespace

class TestGeneralPage : public QObject
{
    Q_OBJECT

  private:
    std::unique_ptr<CPropertiesSheet> OpenSheet(const CProjectSettings& settings,
                                                const std::string& projectDir = "/p/")
    {
        auto sheet =
            std::make_unique<CPropertiesSheet>(settings, std::list<CTracker>(), projectDir, m_host);
        sheet->show();
        return sheet;
    }

    CScriptedDialogHost m_host;

  private slots:
    void sheetOpensOnAvisoWithItsPagesInOrder()
    {
        auto sheet = OpenSheet(SampleSettings());
        QCOMPARE(sheet->windowTitle(), QStringLiteral("Propiedades del proyecto"));
        QTabWidget* tabs = sheet->Tabs();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Aviso"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("General"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Trackers"));
        QCOMPARE(tabs->currentIndex(), 0);

        auto* text = Control<QPlainTextEdit>(sheet.get(), "avisoText");
        QVERIFY(text->isReadOnly());
        QVERIFY(text->textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(text->toPlainText(),
                 QStringLiteral("Los ficheros que se carguen con una dirección\n"
                                "absoluta (c:\\patt.duma) se guardarán solo su nombre\n"
                                "y al volver a abrir el fichero en otro ordenador\n"
                                "es posible que no funcione la aplicación correctamente"));
    }

    void okStoresEveryField()
    {
        auto sheet = OpenSheet(SampleSettings());
        sheet->Tabs()->setCurrentIndex(1);
        TypeInto(Control(sheet.get(), "videoConfigEdit"), "otro.cfg");
        TypeInto(Control(sheet.get(), "thresholdSpin"), "7");
        Click(sheet.get(), "singleViewCheck");
        TypeInto(Control(sheet.get(), "viewZoomEdit"), "0");
        Click(sheet.get(), "okButton");

        QCOMPARE(sheet->result(), int(QDialog::Accepted));
        const CProjectSettings& stored = sheet->GeneralPage()->m_settings;
        QCOMPARE(stored.m_strVideoConfig, std::string("otro.cfg"));
        QCOMPARE(stored.m_strCameraParam, std::string("c.dat"));
        QCOMPARE(stored.m_nThreshold, 7);
        QCOMPARE(stored.m_bSingleView, false);
        QCOMPARE(stored.m_nViewZoom, 0);
        QVERIFY(stored.m_bRecordRelations);
        QVERIFY(!Control(sheet.get(), "recordRelationsCheck")->isEnabled());
    }

    void refusedValueKeepsSheetOpen_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString threshold = QStringLiteral("Introduzca un número entero entre 0 y 255.");
        const QString zoom = QStringLiteral("Introduzca un número entero entre 0 y 10000.");
        QTest::newRow("threshold 256") << "thresholdSpin"
                                       << "256" << threshold;
        QTest::newRow("threshold -1") << "thresholdSpin"
                                      << "-1" << threshold;
        QTest::newRow("threshold empty") << "thresholdSpin"
                                         << "" << threshold;
        QTest::newRow("zoom 10001") << "viewZoomEdit"
                                    << "10001" << zoom;
        QTest::newRow("zoom text") << "viewZoomEdit"
                                   << "dos" << zoom;
    }

    void refusedValueKeepsSheetOpen()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        RecordingMessages messages;
        auto sheet = OpenSheet(SampleSettings());
        sheet->Tabs()->setCurrentIndex(1);
        TypeInto(Control(sheet.get(), "videoConfigEdit"), "otro.cfg");
        QWidget* bad = Control(sheet.get(), field.toLatin1().constData());
        TypeInto(bad, text);
        sheet->Tabs()->setCurrentIndex(2);
        Click(sheet.get(), "okButton");

        QVERIFY(sheet->isVisible());
        QCOMPARE(int(messages.m_messages.size()), 1);
        QCOMPARE(QString::fromStdString(messages.m_messages[0].text), message);
        QCOMPARE(messages.m_messages[0].caption, std::string("Propiedades del proyecto"));
        QCOMPARE(sheet->Tabs()->currentIndex(), 1);
        QCOMPARE(sheet->focusWidget(), bad);
        QCOMPARE(sheet->GeneralPage()->m_settings.m_strVideoConfig, std::string("v.cfg"));
    }

    void limitsAreAccepted_data()
    {
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QString>("zoom");
        QTest::newRow("lowest") << "0"
                                << "0";
        QTest::newRow("highest") << "255"
                                 << "10000";
    }

    void limitsAreAccepted()
    {
        QFETCH(QString, threshold);
        QFETCH(QString, zoom);
        auto sheet = OpenSheet(SampleSettings());
        TypeInto(Control(sheet.get(), "thresholdSpin"), threshold);
        TypeInto(Control(sheet.get(), "viewZoomEdit"), zoom);
        Click(sheet.get(), "okButton");
        QCOMPARE(sheet->result(), int(QDialog::Accepted));
        QCOMPARE(sheet->GeneralPage()->m_settings.m_nThreshold, threshold.toInt());
        QCOMPARE(sheet->GeneralPage()->m_settings.m_nViewZoom, zoom.toInt());
    }

    void automaticThresholdDisablesValue()
    {
        CProjectSettings settings = SampleSettings();
        settings.m_bAutoThreshold = true;
        auto sheet = OpenSheet(settings);
        sheet->Tabs()->setCurrentIndex(1);
        QWidget* value = Control(sheet.get(), "thresholdSpin");
        QVERIFY(!value->isEnabled());
        Click(sheet.get(), "autoThresholdCheck");
        QVERIFY(value->isEnabled());
        Click(sheet.get(), "autoThresholdCheck");
        QVERIFY(!value->isEnabled());
    }

    void thresholdArrowsWrapAtTheEnds()
    {
        auto sheet = OpenSheet(SampleSettings());
        sheet->Tabs()->setCurrentIndex(1);
        auto* spin = Control<QAbstractSpinBox>(sheet.get(), "thresholdSpin");
        TypeInto(spin, "255");
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spin->text(), QStringLiteral("0"));
        QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(spin->text(), QStringLiteral("255"));
        QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(spin->text(), QStringLiteral("254"));
    }

    void browseStoresThePathRelativeToTheProject()
    {
        ScratchFolder folder;
        std::filesystem::create_directories(folder.Path("project"));
        std::filesystem::create_directories(folder.Path("markers"));
        const std::string chosen = folder.Path("markers/c.dat");
        std::ofstream(chosen) << "x";
        auto sheet = OpenSheet(SampleSettings(), folder.Path("project/"));
        sheet->Tabs()->setCurrentIndex(1);
        AnswerNextDialog(
            [chosen](QWidget* dialog)
            {
                auto* files = qobject_cast<QFileDialog*>(dialog);
                QVERIFY(files);
                files->selectFile(QString::fromStdString(chosen));
                QMetaObject::invokeMethod(files, "accept");
            });
        Click(sheet.get(), "cameraParamBrowseButton");
        QCOMPARE(Control<QLineEdit>(sheet.get(), "cameraParamEdit")->text(),
                 QStringLiteral("../markers/c.dat"));
    }
};

int RunGeneralPageTests(int argc, char** argv)
{
    TestGeneralPage tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "general_page_test.moc"
