// The trackers page and the tracker dialog: sorted rows, deletions, the
// reference combo, and nested edits that reach the caller only on OK.
#include "dialog_test_support.h"
#include "dialog_tests.h"

#include "support/project_fixture.h"
#include "synth/pattern_picture.h"
#include "tracking/pattern_file.h"
#include "ui/dialogs/properties_sheet.h"
#include "ui/dialogs/qt_dialog_host.h"
#include "ui/dialogs/tracker_dialog.h"
#include "ui/dialogs/trackers_page.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace
{
QStringList ComboTexts(const QComboBox* combo)
{
    QStringList texts;
    for (int k = 0; k < combo->count(); ++k)
        texts << combo->itemText(k);
    return texts;
}
} // namespace

class TestTrackerDialogs : public QObject
{
    Q_OBJECT

  private slots:
    void trackersSortOnInsertionKeepTheirRowOnRenameAndAskBeforeGoing()
    {
        RecordingMessages messages;
        CScriptedDialogHost host;
        QStringList names = {"b", "a", "z"};
        host.m_editTracker = [&](CTracker& tracker)
        {
            tracker.m_strName = names.takeFirst().toStdString();
            return true;
        };
        CTrackersPage page({}, "", host);
        page.show();
        auto* list = Control<QTreeWidget>(&page, "trackerList");
        Click(&page, "newTrackerButton");
        Click(&page, "newTrackerButton");
        QCOMPARE(RowTexts(list), QStringList({"a", "b"}));
        ClickRow(list, 0, true);
        QCOMPARE(RowTexts(list), QStringList({"z", "b"}));

        messages.m_bAgree = false;
        Click(&page, "deleteTrackerButton");
        QCOMPARE(RowTexts(list), QStringList({"z", "b"}));
        messages.m_bAgree = true;
        Click(&page, "deleteTrackerButton");
        QCOMPARE(RowTexts(list), QStringList({"b"}));
        QCOMPARE(Describe(page.m_trackers), QStringLiteral("b [] [] "));
        QCOMPARE(int(messages.m_messages.size()), 2);
        QCOMPARE(messages.m_messages[1].text, std::string("¿Desea eliminar el tracker 'z'?"));
        QCOMPARE(messages.m_messages[1].caption, std::string("Eliminar"));
        QCOMPARE(messages.m_messages[1].icon, MessageIcon::Question);
        QCOMPARE(messages.m_messages[1].buttons, MessageButtons::YesNo);
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
        ClickRow(Control<QTreeWidget>(&dialog, "modelList"), 0);
        Click(&dialog, "deleteModelButton");
        QCOMPARE(messages.m_messages.at(0).text, std::string("¿Desea eliminar el patrón 'p2'?"));
        QCOMPARE(messages.m_messages.at(1).text, std::string("¿Desea eliminar el modelo 3D 'm1'?"));
        QCOMPARE(ComboTexts(combo), QStringList({"p1"}));
        QCOMPARE(combo->currentIndex(), -1);
        Click(&dialog, "okButton");
        QCOMPARE(Describe({dialog.m_tracker}), QStringLiteral("t [p1 ] [] "));
    }

    void renamedPatternKeepsItsRowAndTheComboFollows()
    {
        CScriptedDialogHost host;
        host.m_editPattern = [](CPattern& pattern)
        {
            pattern.m_strName = pattern.m_strName.empty() ? "b" : "z";
            pattern.m_nWidth = 40;
            return true;
        };
        CTrackerDialog dialog(MakeTracker("t", {"c", "a"}), "", host);
        dialog.show();
        auto* list = Control<QTreeWidget>(&dialog, "patternList");
        auto* combo = Control<QComboBox>(&dialog, "referenceCombo");
        QCOMPARE(RowTexts(list), QStringList({"a", "c"}));
        ClickRow(list, 0, true);
        Click(&dialog, "newPatternButton");
        // A new row goes before the last row sorting after it.
        QCOMPARE(RowTexts(list), QStringList({"b", "z", "c"}));
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("40"));
        QCOMPARE(ComboTexts(combo), QStringList({"b", "z", "c"}));
        QCOMPARE(combo->currentText(), QStringLiteral("c"));

        combo->setCurrentIndex(1);
        Click(&dialog, "okButton");
        QCOMPARE(Describe({dialog.m_tracker}), QStringLiteral("t [c z* b ] [] "));
    }

    // A flat grey picture and a second pattern alike to the first: the new
    // pattern is added, with one warning naming both faults.
    void addingABadPatternWarnsWhy()
    {
        ScratchFolder folder;
        unsigned char block[kPatternValues];
        for (int i = 0; i < kPatternValues; ++i)
            block[i] = static_cast<unsigned char>((i / 3) % 16 < 8 && i / 48 < 10 ? 20 : 230);
        unsigned char blocks[kPatternOrientations][kPatternValues];
        OrientationBlocks(block, blocks);
        QVERIFY(writePatternFile(folder.Path("a.patt"), blocks));
        for (int i = 0; i < kPatternValues; ++i)
            block[i] = static_cast<unsigned char>(block[i] == 20 ? 120 : 126);
        OrientationBlocks(block, blocks);
        QVERIFY(writePatternFile(folder.Path("b.patt"), blocks));

        RecordingMessages messages;
        CScriptedDialogHost host;
        host.m_editPattern = [](CPattern& pattern)
        {
            pattern.m_strName = "b";
            pattern.m_strFile = "b.patt";
            return true;
        };
        CTracker tracker = MakeTracker("t", {"a"});
        tracker.m_patterns.front().m_strFile = "a.patt";
        CTrackerDialog dialog(tracker, folder.Path(), host);
        dialog.show();
        Click(&dialog, "newPatternButton");
        QCOMPARE(RowTexts(Control<QTreeWidget>(&dialog, "patternList")), QStringList({"a", "b"}));
        QCOMPARE(int(messages.m_messages.size()), 1);
        const UserMessage& warning = messages.m_messages[0];
        QCOMPARE(warning.caption, std::string("Aviso"));
        QCOMPARE(warning.icon, MessageIcon::Exclamation);
        QVERIFY(warning.text.rfind("El patrón 'b':", 0) == 0);
        QVERIFY(warning.text.find("muy poco contraste") != std::string::npos);
        QVERIFY(warning.text.find("se parece demasiado al patrón 'a'") != std::string::npos);
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
                                        MakeTracker("t2", {"q1"})};
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
                        ClickRow(Control<QTreeWidget>(tracker, "patternList"), 1, true);
                        ClickRow(Control<QTreeWidget>(tracker, "modelList"), 0);
                        Click(tracker, "deleteModelButton");
                        Click(tracker, "okButton");
                    });
                ClickRow(list, 0, true);
                Click(sheet, accept ? "okButton" : "cancelButton");
            });
        QCOMPARE(host.EditProperties(settings, trackers, "/p/"), accept);
        QCOMPARE(Describe(trackers), accept ? QStringLiteral("t1 [p1* nuevo ] [] ") : before);
    }
};

QT_TEST_SUITE(RunTrackerDialogTests, TestTrackerDialogs)

#include "tracker_dialogs_test.moc"
