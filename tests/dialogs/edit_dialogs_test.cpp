// The pattern and model dialogs, and the names every control answers to.
#include "dialog_test_support.h"
#include "dialog_tests.h"

#include "dialogs/model3d_dialog.h"
#include "dialogs/pattern_dialog.h"
#include "dialogs/properties_sheet.h"
#include "dialogs/tracker_dialog.h"
#include "support/recording_messages.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QTest>

#include <memory>

class TestEditDialogs : public QObject
{
    Q_OBJECT

  private slots:
    void newPatternShowsItsDefaults()
    {
        CPatternDialog dialog(CPattern(), "");
        QCOMPARE(Control<QAbstractSpinBox>(&dialog, "widthSpin")->text(), QStringLiteral("80"));
        QCOMPARE(Control<QAbstractSpinBox>(&dialog, "framesSpin")->text(), QStringLiteral("20"));
        QCOMPARE(Control<QAbstractSpinBox>(&dialog, "toleranceSpin")->text(), QStringLiteral("3"));
    }

    void patternLimits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty when accepted
        const QString width = QStringLiteral("Introduzca un número entero entre 0 y 5000.");
        const QString frames = QStringLiteral("Introduzca un número entero entre 1 y 10000.");
        QTest::newRow("width 0") << "widthSpin"
                                 << "0"
                                 << "";
        QTest::newRow("width 5000") << "widthSpin"
                                    << "5000"
                                    << "";
        QTest::newRow("width 5001") << "widthSpin"
                                    << "5001" << width;
        QTest::newRow("width text") << "widthSpin"
                                    << "ancho" << width;
        QTest::newRow("frames 0") << "framesSpin"
                                  << "0" << frames;
        QTest::newRow("frames 10000") << "framesSpin"
                                      << "10000"
                                      << "";
        QTest::newRow("tolerance 2,5") << "toleranceSpin"
                                       << "2,5"
                                       << "";
        QTest::newRow("tolerance text") << "toleranceSpin"
                                        << "x"
                                        << "Introduzca un número.";
    }

    void patternLimits()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        RecordingMessages messages;
        CPattern pattern;
        pattern.m_strName = "antes";
        CPatternDialog dialog(pattern, "");
        dialog.show();
        TypeInto(Control(&dialog, "nameEdit"), "luego");
        QWidget* edited = Control(&dialog, field.toLatin1().constData());
        TypeInto(edited, text);
        QTest::keyClick(edited, Qt::Key_Return);

        if (message.isEmpty())
        {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(messages.m_messages.empty());
            QCOMPARE(dialog.m_pattern.m_strName, std::string("luego"));
            return;
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(int(messages.m_messages.size()), 1);
        QCOMPARE(QString::fromStdString(messages.m_messages[0].text), message);
        QCOMPARE(messages.m_messages[0].caption, std::string("Patrón"));
        QCOMPARE(dialog.focusWidget(), edited);
        QCOMPARE(dialog.m_pattern.m_strName, std::string("antes"));
    }

    void patternEditsStoredOnOkOnly()
    {
        CPatternDialog dialog(CPattern(), "");
        dialog.show();
        TypeInto(Control(&dialog, "nameEdit"), "p1");
        TypeInto(Control(&dialog, "widthSpin"), "120");
        QTest::keyClick(Control(&dialog, "nameEdit"), Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.m_pattern.m_strName, std::string());

        dialog.show();
        Click(&dialog, "okButton");
        QCOMPARE(dialog.m_pattern.m_strName, std::string("p1"));
        QCOMPARE(dialog.m_pattern.m_nWidth, 120);
    }

    void matrixGridShowsColumnsAsWritten()
    {
        CModel3D model;
        const double translation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 20, 30, 1};
        model.m_matrix.SetData(translation);
        CModel3DDialog dialog(model, "");
        dialog.show();
        auto field = [&](int row, int column)
        {
            const QByteArray name =
                QStringLiteral("matrixEdit_%1_%2").arg(row).arg(column).toLatin1();
            return Control<QLineEdit>(&dialog, name.constData());
        };
        QCOMPARE(field(0, 3)->text(), QStringLiteral("10"));
        QCOMPARE(field(1, 3)->text(), QStringLiteral("20"));
        QCOMPARE(field(2, 3)->text(), QStringLiteral("30"));
        for (int k = 0; k < 4; ++k)
            QCOMPARE(field(k, k)->text(), QStringLiteral("1"));
        QCOMPARE(field(3, 0)->text(), QStringLiteral("0"));

        TypeInto(field(0, 0), "2");
        TypeInto(field(2, 1), "0.5");
        Click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_model.m_matrix.GetData()[0], 2.0);
        QCOMPARE(dialog.m_model.m_matrix.GetData()[6], 0.5);
        QCOMPARE(dialog.m_model.m_matrix.GetData()[12], 10.0);
    }

    void matrixTextRefusedWithNothingStored()
    {
        RecordingMessages messages;
        CModel3DDialog dialog(CModel3D(), "");
        dialog.show();
        TypeInto(Control(&dialog, "nameEdit"), "casa");
        TypeInto(Control(&dialog, "matrixEdit_0_0"), "3");
        TypeInto(Control(&dialog, "matrixEdit_1_2"), "uno");
        Click(&dialog, "okButton");
        QVERIFY(dialog.isVisible());
        QCOMPARE(int(messages.m_messages.size()), 1);
        QCOMPARE(messages.m_messages[0].text, std::string("Introduzca un número."));
        QCOMPARE(messages.m_messages[0].caption, std::string("Modelo 3D"));
        QCOMPARE(dialog.focusWidget(), Control(&dialog, "matrixEdit_1_2"));
        QCOMPARE(dialog.m_model.m_strName, std::string());
        QCOMPARE(dialog.m_model.m_matrix.GetData()[0], 1.0);
    }

    void tabFollowsTheLayout()
    {
        CPatternDialog dialog(CPattern(), "");
        const QStringList expected = {"nameEdit",  "fileEdit",    "browseButton",
                                      "widthSpin", "framesSpin",  "toleranceSpin",
                                      "okButton",  "cancelButton"};
        QStringList order;
        QWidget* widget = Control(&dialog, "nameEdit");
        for (int k = 0; k < 100 && order.size() < expected.size();
             ++k, widget = widget->nextInFocusChain())
            if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
                order << widget->objectName();
        QCOMPARE(order, expected);
    }

    void controlsAnswerToTheirNames_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("accessibleName");
        const QList<QStringList> rows = {
            {"sheet", "avisoText", "Aviso"},
            {"sheet", "videoConfigEdit", "Configuración Video"},
            {"sheet", "videoConfigBrowseButton", "..."},
            {"sheet", "cameraParamEdit", "Calibración Cámara"},
            {"sheet", "cameraParamBrowseButton", "..."},
            {"sheet", "autoThresholdCheck", "Umbral Automático"},
            {"sheet", "thresholdSpin", "Valor"},
            {"sheet", "singleViewCheck", "Vista Única"},
            {"sheet", "viewZoomEdit", "Zoom Vistas"},
            {"sheet", "recordRelationsCheck", "Grabar relación de patrones"},
            {"sheet", "trackerList", "Trackers"},
            {"sheet", "newTrackerButton", "Nuevo"},
            {"sheet", "deleteTrackerButton", "Eliminar"},
            {"sheet", "okButton", "Aceptar"},
            {"sheet", "cancelButton", "Cancelar"},
            {"tracker", "nameEdit", "Nombre"},
            {"tracker", "patternList", "Patrones"},
            {"tracker", "referenceCombo", "Patrón Referencia"},
            {"tracker", "newPatternButton", "Nuevo"},
            {"tracker", "deletePatternButton", "Eliminar"},
            {"tracker", "modelList", "Modelos 3D"},
            {"tracker", "newModelButton", "Nuevo"},
            {"tracker", "deleteModelButton", "Eliminar"},
            {"pattern", "fileEdit", "Fichero"},
            {"pattern", "browseButton", "..."},
            {"pattern", "widthSpin", "Ancho"},
            {"pattern", "framesSpin", "Número patrones"},
            {"pattern", "toleranceSpin", "Diferencia aceptable"},
            {"model", "nameEdit", "Nombre"},
            {"model", "matrixEdit_2_3", "Matriz, fila 3, columna 4"},
            {"model", "okButton", "Aceptar"},
        };
        for (const QStringList& row : rows)
            QTest::newRow(qPrintable(row[0] + " " + row[1])) << row[0] << row[1] << row[2];
    }

    void controlsAnswerToTheirNames()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, objectName);
        QFETCH(QString, accessibleName);
        CScriptedDialogHost host;
        std::unique_ptr<QWidget> window;
        if (dialog == "sheet")
            window = std::make_unique<CPropertiesSheet>(CProjectSettings(), std::list<CTracker>(),
                                                        "", host);
        else if (dialog == "tracker")
            window = std::make_unique<CTrackerDialog>(CTracker(), "", host);
        else if (dialog == "pattern")
            window = std::make_unique<CPatternDialog>(CPattern(), "");
        else
            window = std::make_unique<CModel3DDialog>(CModel3D(), "");
        const QList<QWidget*> found = window->findChildren<QWidget*>(objectName);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0]->accessibleName(), accessibleName);
    }
};

int RunEditDialogTests(int argc, char** argv)
{
    TestEditDialogs tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "edit_dialogs_test.moc"
