// The navigator as a user drives it: the tree and what selecting a node
// shows, editing from the tree, placing the selected model with the buttons,
// the typed fields, the mouse and the wheel, and undoing all of it exactly.
#include "ui/shell/main_frame.h"
#include "document/project_editor.h"
#include "document/zelmora_doc.h"
#include "ui/dialogs/dialog_test_support.h"
#include "ui/dialogs/properties_sheet.h"
#include "ui/dialogs/qt_dialog_host.h"
#include "model_writers/write_3ds.h"
#include "project/placement_fields.h"
#include "render/model_scene.h"
#include "support/pattern_files.h"
#include "ui/view/navigator_dialog_bar.h"
#include "ui/view/zelmora_view.h"
#include "window_tests.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

#include <cmath>

namespace
{
constexpr double kWorldTolerance = 1e-9;
const QColor kCubeColour(255, 0, 255);
const char* const kModelControls[] = {"zoomLabel", "zoomSlider", "viewTabs",
                                      "moveGroup", "scaleGroup", "rotateGroup"};
} // namespace

class NavigatorTest : public CWindowTest
{
    Q_OBJECT

  private:
    QWidget* Control(const char* name) { return ::Control(Frame()->Navigator(), name); }
    QTreeWidget* Tree() { return ::Control<QTreeWidget>(Frame()->Navigator(), "projectTree"); }
    // The selection as shown, provided a screen reader hears the same: the
    // label's name stays "Selección" and its description is the node.
    QString Label()
    {
        auto* label = ::Control<QLabel>(Frame()->Navigator(), "selectionLabel");
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(label);
        if (spoken->text(QAccessible::Name) != QString("Selección") ||
            spoken->text(QAccessible::Description) != label->text())
            return "not spoken: " + spoken->text(QAccessible::Name) + " / " +
                   spoken->text(QAccessible::Description);
        return label->text();
    }
    QDoubleSpinBox* Field(const char* name)
    {
        return ::Control<QDoubleSpinBox>(Frame()->Navigator(), name);
    }
    QString Shown(const char* field) { return Field(field)->text(); }
    CModel3D& Model() { return Doc().m_trackers.front().m_models.front(); }

    // Tree rows: 0 the project, then the tracker with its pattern and model.
    void Select(const char* text)
    {
        Tree()->expandAll();
        const QList<QTreeWidgetItem*> found =
            Tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!found.isEmpty());
        Tree()->setCurrentItem(found.front());
    }

    void Press(const char* button, int times = 1)
    {
        for (int k = 0; k < times; ++k)
            QTest::mouseClick(::Control<QAbstractButton>(Frame()->Navigator(), button),
                              Qt::LeftButton);
    }

    void SetTab(int tab)
    {
        ::Control<QTabBar>(Frame()->Navigator(), "viewTabs")->setCurrentIndex(tab);
    }

    // Clicks into a field and replaces its text, then presses Enter, or
    // leaves it by clicking into the field `next`.
    void Type(const char* field, const char* text, const char* next = nullptr)
    {
        QTest::mouseClick(Field(field), Qt::LeftButton);
        QTRY_VERIFY(Field(field)->hasFocus());
        TypeInto(Field(field), text);
        if (next)
            QTest::mouseClick(Field(next), Qt::LeftButton);
        else
            QTest::keyClick(Field(field), Qt::Key_Return);
    }

    // Where the view shows world point `point` of the orthographic view `view`.
    QPoint OnScreen(EditorView view, double right, double up)
    {
        return InQuadrant(Frame()->View()->Layout().quadrants[view / 2][view % 2],
                          Frame()->View()->height(), right, up);
    }

    // Drags with the left button by `moved` from the lower left of `view`;
    // returns where the drag started.
    QPoint Drag(EditorView view, QPoint moved)
    {
        CZelmoraView* widget = Frame()->View();
        const QPoint start = OnScreen(view, -0.2, -0.2) / widget->devicePixelRatio();
        QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseMove(widget, start + moved / 2);
        QTest::mouseMove(widget, start + moved);
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, start + moved);
        return start;
    }

    CScriptedDialogHost m_host;

  private slots:
    // A saved project: tracker "T" with pattern "P" and model "M", a small
    // magenta cube off every axis; the four views split.
    void init()
    {
        m_pWindow = std::make_unique<CWindowUnderTest>();
        WriteRandomPatternFile(Folder().Path("p.patt"), 1);
        Model3dsSpec scene;
        scene.materials = {PlainMaterial("Magenta", {1.0f, 0.0f, 1.0f})};
        scene.meshes = {CubeMesh("Cube", {0.5f, 0.5f, 0.5f}, 0.08f, "Magenta")};
        scene.nodes = {StillNode("Cube", 0)};
        Write3ds(scene, Folder().Path("m.3ds"));
        {
            CZelmoraDoc doc;
            doc.OnNewDocument();
            doc.m_settings.m_bSingleView = false;
            doc.m_trackers.emplace_back(MakeTracker("T", {"P"}, {"M"}));
            doc.m_trackers.front().m_patterns.front().m_strFile = "p.patt";
            doc.m_trackers.front().m_models.front().m_strFile = "m.3ds";
            QVERIFY(doc.SaveProject(Folder().Path("n.zel"), nullptr));
        }
        QVERIFY(m_pWindow->Show(900, 700));
        QVERIFY(Frame()->OpenProjectFile(Path("n.zel")));
        Doc().SetDialogHost(&m_host);
    }

    void cleanup()
    {
        m_pWindow.reset();
        m_host = CScriptedDialogHost();
    }

    void selectingANodeShowsWhatCanBeDoneWithIt()
    {
        QVERIFY(Control("editButton")->isHidden());
        for (const char* name : kModelControls)
            QVERIFY2(Control(name)->isHidden(), name);
        QVERIFY(!Control("recordRelationsCheck")->isEnabled());

        Select("Proyecto");
        QCOMPARE(Label(), QString("Proyecto"));
        QVERIFY(!Control("editButton")->isHidden());
        QVERIFY(Control("reloadButton")->isHidden());
        Select("P");
        QCOMPARE(Label(), QString("Patrón 'P'"));
        Select("T");
        QCOMPARE(Label(), QString("Tracker 'T'"));
        QVERIFY(!Frame()->Navigator()->GetSelectedModel());
        Select("M");
        QCOMPARE(Label(), QString("Modelo3D 'M'"));
        QVERIFY(!Control("reloadButton")->isHidden());
        for (const char* name : kModelControls)
            QVERIFY2(!Control(name)->isHidden(), name);
        QVERIFY(Control("upButton")->isEnabled());
        QCOMPARE(Frame()->Navigator()->GetSelectedModel(), &Model());

        // A rebuilt tree lets the selection go; the model controls stay.
        Frame()->Navigator()->RefreshTree();
        QVERIFY(!Frame()->Navigator()->GetSelectedModel());
        QCOMPARE(Label(), QString());
        QVERIFY(Control("editButton")->isHidden());
        QVERIFY(!Control("moveGroup")->isHidden());
    }

    void editingFromTheTreeTakesEffectOnlyOnOk()
    {
        Select("P");
        bool ok = false;
        m_host.m_editPattern = [&ok](CPattern& pattern)
        {
            pattern.m_nWidth = 120;
            return ok;
        };
        Press("editButton");
        QCOMPARE(Doc().m_trackers.front().m_patterns.front().m_nWidth, 80);
        QVERIFY(!Doc().IsModified());
        QCOMPARE(Label(), QString("Patrón 'P'"));

        ok = true;
        Press("editButton");
        QCOMPARE(Doc().m_trackers.front().m_patterns.front().m_nWidth, 120);
        QCOMPARE(Doc().m_patternRegistry.size(), size_t(1));
        QCOMPARE(Doc().m_patternRegistry.front().m_state.m_pPattern->m_nWidth, 120);
        QVERIFY(ModelScene(Model()).IsLoaded());
        QVERIFY(Doc().IsModified());
        QCOMPARE(Label(), QString()); // the tree was rebuilt
    }

    void rotationsTurnAsTheirNamesSayOnScreen_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("view");
        QTest::addColumn<double>("turnDeg"); // on screen, counter-clockwise positive
        QTest::newRow("Planta") << 0 << int(kTopView) << 30.0;
        QTest::newRow("Perfil") << 1 << int(kSideView) << 30.0;
        // Looking along +Y, a turn about +Y shows clockwise.
        QTest::newRow("Alzado") << 2 << int(kFrontView) << -30.0;
    }

    void rotationsTurnAsTheirNamesSayOnScreen()
    {
        QFETCH(int, tab);
        QFETCH(int, view);
        QFETCH(double, turnDeg);
        Select("M");
        SetTab(tab);
        Press("rotateCounterClockwiseButton", 30);
        const QImage image = Frame()->View()->Render();
        // The cube's centre is at 0.5 right and 0.5 up in every view.
        auto turned = [&](double deg)
        {
            const double a = deg * M_PI / 180.0;
            return OnScreen(EditorView(view), 0.5 * std::cos(a) - 0.5 * std::sin(a),
                            0.5 * std::sin(a) + 0.5 * std::cos(a));
        };
        auto isCube = [&](QPoint point) {
            return Near(image.pixelColor(point * Frame()->View()->devicePixelRatio()), kCubeColour);
        };
        QVERIFY(isCube(turned(turnDeg)));
        QVERIFY(!isCube(turned(-turnDeg)));
    }

    void aDragMovesTheModelByTheWorldDistanceUnderThePointer()
    {
        Select("M");
        Doc().m_settings.m_nViewZoom = 4;
        CZelmoraView* view = Frame()->View();
        const CGlRect& top = view->Layout().quadrants[0][1];
        const QPoint start = Drag(kTopView, QPoint(40, -25));
        const double ratio = view->devicePixelRatio();
        const double* m = Model().m_matrix.GetData();
        QCOMPARE_LE(std::abs(m[12] - 40 * ratio * 2.0 * 4 / top.Width()), kWorldTolerance);
        QCOMPARE_LE(std::abs(m[13] - 25 * ratio * 2.0 * 4 / top.Height()), kWorldTolerance);
        QCOMPARE(m[14], 0.0);
        QVERIFY(Doc().IsModified());
        QCOMPARE_LE(std::abs(Field("positionXField")->value() - m[12]), 1e-4);
        QCOMPARE_LE(std::abs(Field("positionYField")->value() - m[13]), 1e-4);

        // The wheel brings the views closer, a step at a time, and the
        // slider follows.
        Doc().m_settings.m_nViewZoom = 5;
        QWheelEvent wheel(QPointF(start), QPointF(view->mapToGlobal(start)), QPoint(),
                          QPoint(0, QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
        QCOMPARE(Doc().m_settings.m_nViewZoom, 4);
        QCOMPARE(::Control<QSlider>(Frame()->Navigator(), "zoomSlider")->value(), 4);
    }

    void undoAndRedoReturnTheExactMatrices()
    {
        Select("M");
        const CMatrix start = Model().m_matrix;
        SetTab(2);
        Press("upButton", 3);
        SetTab(0);
        Press("rotateClockwiseButton");
        Press("scaleUpButton");
        Drag(kTopView, QPoint(30, 0));
        m_host.m_editModel = [](CModel3D& model)
        {
            model.m_matrix.GetData()[0] = 2.0;
            return true;
        };
        Select("M");
        Press("editButton");
        const CMatrix end = Model().m_matrix;
        QCOMPARE(end.GetData()[0], 2.0);
        QVERIFY(Doc().IsModified());

        QUndoStack& stack = Frame()->Editor()->UndoStack();
        QCOMPARE(stack.count(), 7);
        QAction* undo = Frame()->findChild<QAction*>("undoAction");
        QAction* redo = Frame()->findChild<QAction*>("redoAction");
        for (int k = 0; k < 7; ++k)
            undo->trigger();
        QVERIFY(!undo->isEnabled());
        QVERIFY(Model().m_matrix == start);
        QVERIFY2(!Doc().IsModified(), "back where the file is");
        for (int k = 0; k < 7; ++k)
            redo->trigger();
        QVERIFY(!redo->isEnabled());
        QVERIFY(Model().m_matrix == end);

        QVERIFY(Frame()->SaveProjectFile(Path("n.zel")));
        CZelmoraDoc reopened;
        QVERIFY(reopened.OpenProject(Folder().Path("n.zel"), nullptr, false));
        QVERIFY(reopened.m_trackers.front().m_models.front().m_matrix == end);
    }

    // Each field applies as one edit on Enter or on leaving it, refuses what
    // no placement can be, and shows the matrix after undo, the buttons with
    // their chosen sizes, and a dialog's OK.
    void typedPlacementIsOneEditPerFieldAndFollowsEveryChange()
    {
        Select("M");
        QCOMPARE(Shown("positionXField"), QString("0"));
        QCOMPARE(Shown("scaleField"), QString("1"));
        QVERIFY(Control("placementNote")->isHidden());
        Type("positionXField", "12.5");
        Type("rotationZField", "90", "scaleField");
        Type("scaleField", "2");
        Type("positionXField", "12.5");
        for (const char* absurd : {"0", "-", "nan"})
            Type("scaleField", absurd);
        QCOMPARE(Shown("scaleField"), QString("2"));
        // The wheel over a field the person is not in scrolls the column.
        QWheelEvent wheel(QPointF(5, 5),
                          QPointF(Field("positionZField")->mapToGlobal(QPoint(5, 5))), QPoint(),
                          QPoint(0, QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Field("positionZField"), &wheel);
        QCOMPARE(Shown("positionZField"), QString("0"));
        QUndoStack& stack = Frame()->Editor()->UndoStack();
        QCOMPARE(stack.count(), 3);

        PlacementFields typed;
        typed.position[0] = 12.5;
        typed.rotationDeg[2] = 90.0;
        typed.scale = 2.0;
        QVERIFY(Frame()->SaveProjectFile(Path("n.zel")));
        CZelmoraDoc reopened;
        QVERIFY(reopened.OpenProject(Folder().Path("n.zel"), nullptr, false));
        const CMatrix expected = ComposePlacement(typed);
        const CMatrix& saved = reopened.m_trackers.front().m_models.front().m_matrix;
        for (int k = 0; k < 16; ++k)
            QCOMPARE_LE(std::abs(saved.GetData()[k] - expected.GetData()[k]), kWorldTolerance);

        QAction* undo = Frame()->findChild<QAction*>("undoAction");
        undo->trigger();
        QCOMPARE(Shown("scaleField"), QString("1"));
        undo->trigger();
        QCOMPARE(Shown("rotationZField"), QString("0"));
        QCOMPARE(Shown("positionXField"), QString("12.5"));

        SetTab(0);
        ::Control<QComboBox>(Frame()->Navigator(), "stepUnitsCombo")->setCurrentIndex(2);
        ::Control<QComboBox>(Frame()->Navigator(), "stepDegCombo")->setCurrentIndex(2);
        Press("rightButton");
        Press("rotateCounterClockwiseButton");
        QCOMPARE(Shown("positionXField"), QString("0")); // 22.5 turned a quarter about Z
        QCOMPARE(Shown("positionYField"), QString("22.5"));
        QCOMPARE(Shown("rotationZField"), QString("90"));

        // A shear from the model's dialog: the fields can only show it.
        m_host.m_editModel = [](CModel3D& model)
        {
            model.m_matrix.GetData()[4] = 0.5;
            return true;
        };
        Press("editButton");
        Select("M");
        QVERIFY(!Control("placementNote")->isHidden());
        QVERIFY(Field("scaleField")->isReadOnly());
        QCOMPARE(Shown("positionYField"), QString("22.5"));
        const int edits = stack.count();
        Type("positionXField", "1");
        QCOMPARE(stack.count(), edits);
    }

    // Everything through the real dialogs, as a user would: a tracker with a
    // pattern and a model added in "Propiedades", saved and opened again.
    void aProjectIsBuiltFromNothingInTheWindow()
    {
        CQtDialogHost host(Frame());
        Doc().SetDialogHost(&host);
        QVERIFY(Frame()->OnFileNew());
        const QString path = Path("nuevo.zel");
        QVERIFY(Frame()->SaveProjectFile(path));

        AnswerNextDialog(
            [](QWidget* sheet)
            {
                static_cast<CPropertiesSheet*>(sheet)->Tabs()->setCurrentIndex(2);
                AnswerNextDialog(
                    [](QWidget* tracker)
                    {
                        TypeInto(::Control(tracker, "nameEdit"), "Coche");
                        AnswerNextDialog(
                            [](QWidget* pattern)
                            {
                                TypeInto(::Control(pattern, "nameEdit"), "P");
                                TypeInto(::Control(pattern, "fileEdit"), "p.patt");
                                Click(pattern, "okButton");
                            });
                        Click(tracker, "newPatternButton");
                        AnswerNextDialog(
                            [](QWidget* model)
                            {
                                TypeInto(::Control(model, "nameEdit"), "M");
                                TypeInto(::Control(model, "fileEdit"), "m.3ds");
                                Click(model, "okButton");
                            });
                        Click(tracker, "newModelButton");
                        ::Control<QComboBox>(tracker, "referenceCombo")->setCurrentIndex(0);
                        Click(tracker, "okButton");
                    });
                Click(sheet, "newTrackerButton");
                Click(sheet, "okButton");
            });
        Frame()->OnProperties();
        QCOMPARE(Describe(Doc().m_trackers), QString("Coche [P* ] [M ] "));
        QVERIFY(ModelScene(Model()).IsLoaded());
        QVERIFY(Frame()->OnFileSave());
        CZelmoraDoc reopened;
        QVERIFY(reopened.OpenProject(path.toStdString(), nullptr, false));
        QCOMPARE(Describe(reopened.m_trackers), Describe(Doc().m_trackers));
        Doc().SetDialogHost(nullptr);
    }
};

QT_TEST_SUITE(RunNavigatorTests, NavigatorTest)

#include "navigator_test.moc"
