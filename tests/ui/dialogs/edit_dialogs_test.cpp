// The pattern and model dialogs, and the names every control answers to.
#include "dialog_test_support.h"
#include "dialog_tests.h"

#include "support/sample_models.h"
#include "support/scratch_folder.h"
#include "ui/dialogs/camera_choice_dialog.h"
#include "ui/dialogs/model3d_dialog.h"
#include "ui/dialogs/pattern_dialog.h"
#include "ui/dialogs/properties_sheet.h"
#include "ui/dialogs/tracker_dialog.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

class TestEditDialogs : public QObject
{
    Q_OBJECT

  private slots:
    void patternOkChecksTheNumbers_data()
    {
        const QString width = QStringLiteral("Introduzca un número entero entre 0 y 5000.");
        const QString frames = QStringLiteral("Introduzca un número entero entre 1 y 10000.");
        AddTypedNumberRows({
            {"width 0", "widthSpin", "0", ""},
            {"width 5001", "widthSpin", "5001", width},
            {"width text", "widthSpin", "ancho", width},
            {"frames 0", "framesSpin", "0", frames},
            {"frames 10000", "framesSpin", "10000", ""},
            {"tolerance 2,5", "toleranceSpin", "2,5", ""},
            {"tolerance text", "toleranceSpin", "x", QStringLiteral("Introduzca un número.")},
        });
    }

    void patternOkChecksTheNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        RecordingMessages messages;
        CPatternDialog dialog(CPattern(), "");
        dialog.show();
        QCOMPARE(Control<QAbstractSpinBox>(&dialog, "widthSpin")->text() + " " +
                     Control<QAbstractSpinBox>(&dialog, "framesSpin")->text() + " " +
                     Control<QAbstractSpinBox>(&dialog, "toleranceSpin")->text(),
                 QStringLiteral("80 20 3"));
        TypeInto(Control(&dialog, "nameEdit"), "p1");
        QWidget* edited = Control(&dialog, field);
        TypeInto(edited, text);
        QTest::keyClick(edited, Qt::Key_Return);

        if (message.isEmpty())
        {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.m_pattern.m_strName, std::string("p1"));
            return;
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(int(messages.m_messages.size()), 1);
        QCOMPARE(QString::fromStdString(messages.m_messages[0].text), message);
        QCOMPARE(messages.m_messages[0].caption, std::string("Patrón"));
        QCOMPARE(dialog.focusWidget(), edited);
        QCOMPARE(dialog.m_pattern.m_strName, std::string());
    }

    void patternAdaptiveFilterTakesItsOwnSettings()
    {
        RecordingMessages messages;
        CPatternDialog dialog(CPattern(), "");
        dialog.show();
        auto* gain = Control<QAbstractSpinBox>(&dialog, "speedGainSpin");
        QVERIFY(!gain->isEnabled());
        Control<QComboBox>(&dialog, "filterCombo")->setCurrentIndex(1);
        QVERIFY(gain->isEnabled());
        QVERIFY(!Control(&dialog, "framesSpin")->isEnabled());
        TypeInto(Control(&dialog, "minCutoffSpin"), "0,5");
        TypeInto(gain, "2000");
        QTest::keyClick(gain, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.m_messages.back().text, std::string("Introduzca un número entre 0 y 1000."));

        TypeInto(gain, "0.2");
        QTest::keyClick(gain, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_pattern.m_filter, PoseFilter::Adaptive);
        QCOMPARE(dialog.m_pattern.m_fMinCutoff, 0.5f);
        QCOMPARE(dialog.m_pattern.m_fSpeedGain, 0.2f);
    }

    void matrixGridShowsColumnsAsWritten()
    {
        RecordingMessages messages;
        CModel3D model;
        const double translation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 20, 30, 1};
        model.m_matrix.SetData(translation);
        CModel3DDialog dialog(model, "", 0.0);
        dialog.show();
        auto field = [&](int row, int column) {
            return Control<QLineEdit>(&dialog,
                                      QStringLiteral("matrixEdit_%1_%2").arg(row).arg(column));
        };
        QCOMPARE(field(0, 3)->text() + field(1, 3)->text() + field(2, 3)->text(),
                 QStringLiteral("102030"));
        QCOMPARE(field(0, 0)->text() + field(1, 1)->text() + field(3, 3)->text() +
                     field(3, 0)->text(),
                 QStringLiteral("1110"));

        TypeInto(field(0, 0), "2");
        TypeInto(field(1, 2), "uno");
        Click(&dialog, "okButton");
        QCOMPARE(messages.m_messages.at(0).text, std::string("Introduzca un número."));
        QCOMPARE(messages.m_messages.at(0).caption, std::string("Modelo 3D"));
        QCOMPARE(dialog.focusWidget(), field(1, 2));
        QCOMPARE(dialog.m_model.m_matrix.GetData()[0], 1.0);

        TypeInto(field(1, 2), "0.5");
        QTest::keyClick(field(1, 2), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_model.m_matrix.GetData()[0], 2.0);
        QCOMPARE(dialog.m_model.m_matrix.GetData()[9], 0.5);
    }

    // A square of half a metre standing in a Y-up GLB, fitted to an 80 mm
    // marker: turned Z up, 80 wide, centred, on the marker's plane.
    void fitStandsTheModelOnTheMarker()
    {
        ScratchFolder folder;
        CMeshModel data;
        AddSquare(&data, 0.5f, 0.25f, 0.25f, {0, 1, 0, 1});
        CModel3D model;
        model.m_strFile = WriteSample(data, SampleLayout::Glb, folder.Path());
        CModel3DDialog dialog(model, "", 80.0);
        auto* size = Control(&dialog, "sizeLabel");
        QCOMPARE(size->accessibleDescription(), QStringLiteral("0.5 x 0.5 x 0"));
        Click(&dialog, "fitButton");
        QCOMPARE(size->accessibleDescription(), QStringLiteral("80 x 0 x 80"));
        QCOMPARE(size->accessibleName(), QStringLiteral("Tamaño en el tracker"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const double* m = dialog.m_model.m_matrix.GetData();
        // The square's top centre, (0.5, 0.5, 0) in the file.
        const double top[3] = {m[0] * 0.5 + m[4] * 0.5 + m[12], m[1] * 0.5 + m[5] * 0.5 + m[13],
                               m[2] * 0.5 + m[6] * 0.5 + m[14]};
        QVERIFY(std::abs(top[0]) < 1e-9 && std::abs(top[1]) < 1e-9);
        QVERIFY(std::abs(top[2] - 80.0) < 1e-9);
    }

    // The preferred size of the first device is offered; a device row alone
    // is not a choice.
    void cameraChoiceTakesASizeOfADevice()
    {
        RecordingMessages messages;
        const std::vector<CaptureDevice> devices = {
            {"Una", "/dev/video0", {{320, 240, false, {{30, 1}}}, {640, 480, false, {{30, 1}}}}},
            {"Otra", "/dev/video2", {{1280, 720, true, {{30, 1}}}}}};
        CCameraChoiceDialog dialog(devices);
        auto* list = qobject_cast<QTreeWidget*>(Control(&dialog, "cameraList"));
        QVERIFY(list);
        QCOMPARE(list->currentItem()->text(0), QStringLiteral("640 x 480"));
        list->setCurrentItem(list->topLevelItem(1)->child(0));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Device()->path, std::string("/dev/video2"));
        QCOMPARE(dialog.Mode()->width, 1280);

        CCameraChoiceDialog refused(devices);
        list = qobject_cast<QTreeWidget*>(Control(&refused, "cameraList"));
        list->setCurrentItem(list->topLevelItem(0));
        refused.accept();
        QCOMPARE(refused.result(), int(QDialog::Rejected));
        QVERIFY(messages.Said("Elija un tamaño de una cámara."));
    }

    // Controls without text of their own are named after their label.
    void everyControlHasItsNames()
    {
        CScriptedDialogHost host;
        CPropertiesSheet sheet({}, {}, "", host);
        CTrackerDialog tracker(CTracker(), "", host);
        CPatternDialog pattern(CPattern(), "");
        CModel3DDialog model(CModel3D(), "", 80.0);
        const std::vector<CaptureDevice> devices = {
            {"Cámara", "/dev/video0", {{640, 480, false, {{30, 1}}}}}};
        CCameraChoiceDialog camera(devices);
        QCOMPARE(Control(&sheet, "thresholdSpin")->accessibleName(), QStringLiteral("Valor"));
        QCOMPARE(Control(&tracker, "referenceCombo")->accessibleName(),
                 QStringLiteral("Patrón Referencia"));
        QCOMPARE(Control(&model, "matrixEdit_2_3")->accessibleName(),
                 QStringLiteral("Matriz, fila 3, columna 4"));
        for (const QWidget* window : {(QWidget*)&sheet, (QWidget*)&tracker, (QWidget*)&pattern,
                                      (QWidget*)&model, (QWidget*)&camera})
            for (const QWidget* control : window->findChildren<QWidget*>())
            {
                const bool ours = !control->objectName().startsWith("qt_") &&
                                  !qobject_cast<const QHeaderView*>(control);
                if (ours && (qobject_cast<const QAbstractButton*>(control) ||
                             qobject_cast<const QLineEdit*>(control) ||
                             qobject_cast<const QAbstractSpinBox*>(control) ||
                             qobject_cast<const QComboBox*>(control) ||
                             qobject_cast<const QAbstractItemView*>(control) ||
                             qobject_cast<const QPlainTextEdit*>(control)))
                    QVERIFY2(!control->objectName().isEmpty() &&
                                 !control->accessibleName().isEmpty(),
                             qPrintable(window->windowTitle() + ": " +
                                        control->metaObject()->className()));
            }
    }
};

QT_TEST_SUITE(RunEditDialogTests, TestEditDialogs)

#include "edit_dialogs_test.moc"
