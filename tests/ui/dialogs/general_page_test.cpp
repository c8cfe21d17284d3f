// The properties sheet with its "Aviso" and "General" pages.
#include "dialog_test_support.h"
#include "dialog_tests.h"

#include "ui/dialogs/general_page.h"
#include "ui/dialogs/properties_sheet.h"
#include "support/scratch_folder.h"

#include <QAbstractSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>

class TestGeneralPage : public QObject
{
    Q_OBJECT

    CScriptedDialogHost m_host;
    CProjectSettings m_settings;

  private slots:
    void init()
    {
        m_settings = CProjectSettings();
        m_settings.m_strVideoConfig = "v.cfg";
        m_settings.m_bAutoThreshold = false;
        m_settings.m_nThreshold = 100;
    }

    void sheetOpensOnAviso()
    {
        CPropertiesSheet sheet(m_settings, {}, "/p/", m_host);
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Propiedades del proyecto"));
        QTabWidget* tabs = sheet.Tabs();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0) + tabs->tabText(1) + tabs->tabText(2),
                 QStringLiteral("AvisoGeneralTrackers"));
        QCOMPARE(tabs->currentIndex(), 0);
        auto* text = Control<QPlainTextEdit>(&sheet, "avisoText");
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->toPlainText(),
                 QStringLiteral("Los ficheros que se carguen con una dirección\n"
                                "absoluta (c:\\patt.duma) se guardarán solo su nombre\n"
                                "y al volver a abrir el fichero en otro ordenador\n"
                                "es posible que no funcione la aplicación correctamente"));
        QVERIFY(!Control(&sheet, "recordRelationsCheck")->isEnabled());
    }

    void okChecksTheNumbers_data()
    {
        const QString threshold = QStringLiteral("Introduzca un número entero entre 0 y 255.");
        const QString zoom = QStringLiteral("Introduzca un número entero entre 0 y 10000.");
        AddTypedNumberRows({
            {"threshold 0", "thresholdSpin", "0", ""},
            {"threshold 255", "thresholdSpin", "255", ""},
            {"threshold 256", "thresholdSpin", "256", threshold},
            {"threshold empty", "thresholdSpin", "", threshold},
            {"zoom 0", "viewZoomEdit", "0", ""},
            {"zoom 10000", "viewZoomEdit", "10000", ""},
            {"zoom 10001", "viewZoomEdit", "10001", zoom},
            {"zoom text", "viewZoomEdit", "dos", zoom},
        });
    }

    void okChecksTheNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        RecordingMessages messages;
        CPropertiesSheet sheet(m_settings, {}, "/p/", m_host);
        sheet.show();
        sheet.Tabs()->setCurrentIndex(1);
        TypeInto(Control(&sheet, "videoConfigEdit"), "otro.cfg");
        QWidget* edited = Control(&sheet, field);
        TypeInto(edited, text);
        sheet.Tabs()->setCurrentIndex(2);
        Click(&sheet, "okButton");

        const CProjectSettings& stored = sheet.GeneralPage()->m_settings;
        if (message.isEmpty())
        {
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
            QCOMPARE(stored.m_strVideoConfig, std::string("otro.cfg"));
            QCOMPARE(field == "thresholdSpin" ? stored.m_nThreshold : stored.m_nViewZoom,
                     text.toInt());
            return;
        }
        QVERIFY(sheet.isVisible());
        QCOMPARE(int(messages.m_messages.size()), 1);
        QCOMPARE(QString::fromStdString(messages.m_messages[0].text), message);
        QCOMPARE(messages.m_messages[0].caption, std::string("Propiedades del proyecto"));
        QCOMPARE(sheet.focusWidget(), edited);
        QCOMPARE(sheet.Tabs()->currentIndex(), 1);
        QCOMPARE(stored.m_strVideoConfig, std::string("v.cfg"));
    }

    void thresholdFollowsTheAutomaticAndAdaptiveBoxesAndWraps()
    {
        m_settings.m_bAutoThreshold = true;
        CPropertiesSheet sheet(m_settings, {}, "/p/", m_host);
        sheet.show();
        sheet.Tabs()->setCurrentIndex(1);
        auto* spin = Control<QAbstractSpinBox>(&sheet, "thresholdSpin");
        QVERIFY(!spin->isEnabled());
        Click(&sheet, "autoThresholdCheck");
        QVERIFY(spin->isEnabled());
        // The adaptive threshold stands in for both others while it is on.
        Click(&sheet, "adaptiveThresholdCheck");
        QVERIFY(!spin->isEnabled());
        QVERIFY(!Control(&sheet, "autoThresholdCheck")->isEnabled());
        Click(&sheet, "adaptiveThresholdCheck");
        QVERIFY(spin->isEnabled());

        TypeInto(spin, "255");
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spin->text(), QStringLiteral("0"));
        QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(spin->text(), QStringLiteral("255"));
    }

    void browseStoresThePathRelativeToTheProject()
    {
        ScratchFolder folder;
        std::filesystem::create_directories(folder.Path("project"));
        std::filesystem::create_directories(folder.Path("markers"));
        const QString chosen = QString::fromStdString(folder.Path("markers/c.dat"));
        std::ofstream(chosen.toStdString()) << "x";
        CPropertiesSheet sheet(m_settings, {}, folder.Path("project/"), m_host);
        sheet.show();
        sheet.Tabs()->setCurrentIndex(1);
        AnswerNextDialog(
            [chosen](QWidget* dialog)
            {
                qobject_cast<QFileDialog*>(dialog)->selectFile(chosen);
                QMetaObject::invokeMethod(dialog, "accept");
            });
        Click(&sheet, "cameraParamBrowseButton");
        QCOMPARE(Control<QLineEdit>(&sheet, "cameraParamEdit")->text(),
                 QStringLiteral("../markers/c.dat"));
    }
};

QT_TEST_SUITE(RunGeneralPageTests, TestGeneralPage)

#include "general_page_test.moc"
