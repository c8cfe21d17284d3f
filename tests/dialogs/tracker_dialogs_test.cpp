// The trackers page and the tracker dialog: sorted rows, deletions, the
// reference combo, and nested edits that reach the caller only on OK.
#include "dialog_test_support.h"
#include "dialog_tests.h"

#include "dialogs/pattern_dialog.h"
#include "dialogs/properties_sheet.h"
#include "dialogs/qt_dialog_host.h"
#include "dialogs/tracker_dialog.h"
#include "dialogs/trackers_page.h"
#include "support/recording_messages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

class TestTrackerDialogs : public QObject
{
    Q_OBJECT

  private slots:
    void rowsSortOnInsertionAndKeepTheirPlaceOnRename()
    {
        CScriptedDialogHost host;
        std::string nextName = "b";
        host.m_editTracker = [&](CTracker& tracker, const std::string&)
        {
            tracker.m_strName = nextName;
            return true;
        };
        CTrackersPage page({}, "", host);
        page.show();
        auto* list = Control<QTreeWidget>(&page, "trackerList");
        Click(&page, "newTrackerButton");
        nextName = "a";
        Click(&page, "newTrackerButton");
        QCOMPARE(RowTexts(list), QStringList({"a", "b"}));

        nextName = "z";
        DoubleClickRow(list, 0);
        QCOMPARE(RowTexts(list), QStringList({"z", "b"}));
        QCOMPARE(Describe(page.m_trackers), QStringLiteral("b [] [] z [] [] "));
    }

    void deletionAsksFirst_data()
    {
        QTest::addColumn<bool>("agree");
        QTest::addColumn<QStringList>("rowsLeft");
        QTest::newRow("yes") << true << QStringList({"t2"});
        QTest::newRow("no") << false << QStringList({"t1", "t2"});
    }

    void deletionAsksFirst()
    {
        QFETCH(bool, agree);
        QFETCH(QStringList, rowsLeft);
        RecordingMessages messages;
        messages.m_bAgree = agree;
        CScriptedDialogHost host;
        CTrackersPage page({MakeTracker("t2", {}, {}), MakeTracker("t1", {}, {})}, "", host);
        page.show();
        auto* list = Control<QTreeWidget>(&page, "trackerList");
        ClickRow(list, 0);
        Click(&page, "deleteTrackerButton");
        QCOMPARE(int(messages.m_messages.size()), 1);
        QCOMPARE(messages.m_messages[0].text, std::string("¿Desea eliminar el tracker 't1'?"));
        QCOMPARE(messages.m_messages[0].caption, std::string("Eliminar"));
        QCOMPARE(messages.m_messages[0].icon, MessageIcon::Question);
        QCOMPARE(messages.m_messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(RowTexts(list), rowsLeft);
        QCOMPARE(int(page.m_trackers.size()), int(rowsLeft.size()));
    }

    void deletingTheReferenceLeavesNoReference()
    {
        RecordingMessages messages;
        CScriptedDialogHost host;
        CTracker tracker = MakeTracker("t", {"p1", "p2"}, {"m1"});
        tracker.SetReferenceIndex(1);
        CTrackerDialog dialog(tracker, "", host);
        dialog.show();
        auto* combo = Control<QComboBox>(&dialog, "referenceCombo");
        QCOMPARE(combo->currentText(), QStringLiteral("p2"));

        ClickRow(Control<QTreeWidget>(&dialog, "patternList"), 1);
        Click(&dialog, "deletePatternButton");
        QCOMPARE(messages.m_messages.at(0).text, std::string("¿Desea eliminar el patrón 'p2'?"));
        QCOMPARE(combo->count(), 1);
        QCOMPARE(combo->currentIndex(), -1);
        Click(&dialog, "okButton");
        QCOMPARE(Describe({dialog.m_tracker}), QStringLiteral("t [p1 ] [m1 ] "));

        ClickRow(Control<QTreeWidget>(&dialog, "modelList"), 0);
        Click(&dialog, "deleteModelButton");
        QCOMPARE(messages.m_messages.at(1).text, std::string("¿Desea eliminar el modelo 3D 'm1'?"));
        QCOMPARE(Control<QTreeWidget>(&dialog, "modelList")->topLevelItemCount(), 0);
    }

    void renamedPatternKeepsItsRowAndTheComboFollows()
    {
        CScriptedDialogHost host;
        host.m_editPattern = [](CPattern& pattern, const std::string&)
        {
            pattern.m_strName = pattern.m_strName.empty() ? "b" : "z";
            pattern.m_nWidth = 40;
            return true;
        };
        CTracker tracker = MakeTracker("t", {"c", "a"}, {});
        CTrackerDialog dialog(tracker, "", host);
        dialog.show();
        auto* list = Control<QTreeWidget>(&dialog, "patternList");
        auto* combo = Control<QComboBox>(&dialog, "referenceCombo");
        QCOMPARE(RowTexts(list), QStringList({"a", "c"}));
        QCOMPARE(combo->currentText(), QStringLiteral("c"));

        DoubleClickRow(list, 0);
        Click(&dialog, "newPatternButton");
        // The new row goes before the first row sorting after it, from the end.
        QCOMPARE(RowTexts(list), QStringList({"b", "z", "c"}));
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("40"));
        QStringList comboItems;
        for (int k = 0; k < combo->count(); ++k)
            comboItems << combo->itemText(k);
        QCOMPARE(comboItems, QStringList({"b", "z", "c"}));
        QCOMPARE(combo->currentText(), QStringLiteral("c"));

        combo->setCurrentIndex(1);
        Click(&dialog, "okButton");
        QCOMPARE(Describe({dialog.m_tracker}), QStringLiteral("t [c z* b ] [] "));
    }

    void nestedEditsReachTheCallerOnlyOnOk_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }

    // The real host all the way down: the sheet, a tracker dialog opened
    // from it and a pattern dialog opened from that, each run modally.
    void nestedEditsReachTheCallerOnlyOnOk()
    {
        QFETCH(bool, accept);
        RecordingMessages messages;
        CQtDialogHost host(nullptr);
        CProjectSettings settings;
        std::list<CTracker> trackers = {MakeTracker("t1", {"p1", "p2"}, {"m1"}),
                                        MakeTracker("t2", {"q1"}, {})};
        const QString before = Describe(trackers);

        AnswerNextDialog(
            [accept](QWidget* sheet)
            {
                static_cast<CPropertiesSheet*>(sheet)->Tabs()->setCurrentIndex(2);
                auto* list = Control<QTreeWidget>(sheet, "trackerList");
                ClickRow(list, 1);
                Click(sheet, "deleteTrackerButton");
                AnswerNextDialog(
                    [](QWidget* tracker)
                    {
                        AnswerNextDialog(
                            [](QWidget* pattern)
                            {
                                TypeInto(Control(pattern, "nameEdit"), "nuevo");
                                Click(pattern, "okButton");
                            });
                        DoubleClickRow(Control<QTreeWidget>(tracker, "patternList"), 1);
                        ClickRow(Control<QTreeWidget>(tracker, "modelList"), 0);
                        Click(tracker, "deleteModelButton");
                        Click(tracker, "okButton");
                    });
                DoubleClickRow(list, 0);
                Click(sheet, accept ? "okButton" : "cancelButton");
            });
        QCOMPARE(host.EditProperties(settings, trackers, "/p/"), accept);

        QCOMPARE(Describe(trackers), accept ? QStringLiteral("t1 [p1* nuevo ] [] ") : before);
    }
};

int RunTrackerDialogTests(int argc, char** argv)
{
    TestTrackerDialogs tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tracker_dialogs_test.moc"
