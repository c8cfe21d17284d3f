// Files dropped on the window as a file manager drops them: models,
// patterns, pictures and projects, one undoable edit a drop, and files that
// cannot be used refused by name with the project as it was.
#include "document/project_editor.h"
#include "support/pattern_files.h"
#include "support/png_pictures.h"
#include "support/sample_models.h"
#include "ui/view/navigator_dialog_bar.h"
#include "ui/view/zelmora_view.h"
#include "window_tests.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <filesystem>

namespace
{
// "trackers patterns models", as the navigator's tree counts them.
QString CountsOf(const CZelmoraDoc& doc)
{
    size_t patterns = 0, models = 0;
    for (const CTracker& tracker : doc.m_trackers)
    {
        patterns += tracker.m_patterns.size();
        models += tracker.m_models.size();
    }
    return QString("%1 %2 %3").arg(doc.m_trackers.size()).arg(patterns).arg(models);
}

size_t FilesIn(const ScratchFolder& folder)
{
    const std::filesystem::directory_iterator entries(folder.Path());
    return size_t(std::distance(begin(entries), end(entries)));
}
} // namespace

class DropTest : public CWindowTest
{
    Q_OBJECT

  private:
    QUndoStack& Stack() { return Frame()->Editor()->UndoStack(); }
    QTreeWidget* Tree() { return Frame()->Navigator()->findChild<QTreeWidget*>("projectTree"); }
    bool TreeShows(const char* text)
    {
        return !Tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).isEmpty();
    }

    // Drags the files (names in the scratch folder, or URLs) over `target`
    // and drops them; false when the drag is not taken.
    bool Drop(QObject* target, const QStringList& names)
    {
        QList<QUrl> urls;
        for (const QString& name : names)
            urls << (name.contains("://") ? QUrl(name)
                                          : QUrl::fromLocalFile(Path(name.toUtf8().constData())));
        QMimeData mime;
        mime.setUrls(urls);
        const QPoint at(40, 40);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        drop.ignore();
        QCoreApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }

    void WriteFiles()
    {
        // A dark triangle: no quarter turn looks like another.
        WritePng(Folder().Path("foto.png"), 64, 64,
                 [](int x, int y) {
                     return x < y ? Rgba8{20, 20, 90, 255} : Rgba8{240, 230, 200, 255};
                 });
        WriteRandomPatternFile(Folder().Path("marca.patt"), 11);
        CMeshModel model;
        AddSquare(&model, 0.0f, 0.0f, 0.5f, {1, 0, 0, 1});
        WriteSample(model, SampleLayout::Obj, Folder().Path(), "cartel");
        WriteSample(model, SampleLayout::Glb, Folder().Path(), "otro");
    }

  private slots:
    void init()
    {
        m_pWindow = std::make_unique<CWindowUnderTest>();
        QVERIFY(m_pWindow->Show(640, 480));
        WriteFiles();
        QVERIFY(Frame()->SaveProjectFile(Path("p.zel")));
    }

    void cleanup() { m_pWindow.reset(); }

    void droppedFilesJoinOneTrackerAsOneUndoableEdit()
    {
        QVERIFY(!Drop(Frame()->View(), {"https://example.com/cartel.obj"}));
        QVERIFY(Drop(Frame()->View(), {"foto.png", "marca.patt", "cartel.obj"}));
        QCOMPARE(CountsOf(Doc()), QString("1 2 1"));
        QCOMPARE(Stack().count(), 1);
        QVERIFY(QFileInfo::exists(Path("foto.patt")) &&
                QFileInfo::exists(Path("foto-marcador.png")));
        QVERIFY(TreeShows("foto") && TreeShows("marca") && TreeShows("cartel"));
        QVERIFY(Frame()->isWindowModified());

        // With one of its patterns selected, the next model joins that tracker.
        Tree()->expandAll();
        Tree()->setCurrentItem(Tree()->findItems("marca", Qt::MatchRecursive).front());
        QVERIFY(Drop(Frame(), {"otro.glb"}));
        QCOMPARE(CountsOf(Doc()), QString("1 2 2"));
        QVERIFY(TreeShows("otro"));

        Stack().undo();
        QCOMPARE(CountsOf(Doc()), QString("1 2 1"));
        Stack().undo();
        QCOMPARE(CountsOf(Doc()), QString("0 0 0"));
        QVERIFY(!TreeShows("cartel"));
        QVERIFY(!Frame()->isWindowModified());
        QVERIFY(Messages().m_messages.empty());
    }

    void aFileThatCannotBeUsedChangesNothing_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("bad");
        QTest::newRow("modelo cortado") << QStringList{"cortado.glb"} << "cortado.glb";
        QTest::newRow("patrón mal formado") << QStringList{"mal.patt"} << "mal.patt";
        QTest::newRow("imagen que no lo es") << QStringList{"falsa.png"} << "falsa.png";
        QTest::newRow("varios, uno malo")
            << QStringList{"foto.png", "cartel.obj", "mal.patt"} << "mal.patt";
    }

    void aFileThatCannotBeUsedChangesNothing()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, bad);
        const std::string glb = ReadBytes(Folder().Path("otro.glb"));
        WriteBytes(Folder().Path("cortado.glb"), glb.substr(0, glb.size() / 2));
        WriteBytes(Folder().Path("mal.patt"), "12 200 7 trece");
        WriteBytes(Folder().Path("falsa.png"), "esto no es una imagen");
        QVERIFY(Drop(Frame()->View(), {"marca.patt"}));
        const QString before = CountsOf(Doc());
        const size_t files = FilesIn(Folder());

        QVERIFY(Drop(Frame()->View(), names));
        QVERIFY(Messages().Said("'" + bad.toStdString() + "'"));
        QVERIFY(Messages().Said("No se ha cambiado nada"));
        QCOMPARE(CountsOf(Doc()), before);
        QCOMPARE(Stack().count(), 1);
        QCOMPARE(FilesIn(Folder()), files);
    }

    void aDroppedProjectOpensAfterTheSavePrompt()
    {
        QVERIFY(Frame()->SaveProjectFile(Path("otro.zel")));
        QVERIFY(Frame()->SaveProjectFile(Path("p.zel")));
        QVERIFY(Drop(Frame()->View(), {"marca.patt"}));

        Messages().m_answers = {MessageAnswer::Cancel};
        QVERIFY(Drop(Frame()->View(), {"otro.zel"}));
        QCOMPARE(Messages().m_messages.back().buttons, MessageButtons::SaveDiscardCancel);
        QCOMPARE(CountsOf(Doc()), QString("1 1 0"));
        QCOMPARE(Frame()->PathName(), Path("p.zel"));

        Messages().m_answers = {MessageAnswer::Discard};
        QVERIFY(Drop(Frame()->View(), {"otro.zel"}));
        QCOMPARE(CountsOf(Doc()), QString("0 0 0"));
        QCOMPARE(Frame()->PathName(), Path("otro.zel"));
        QVERIFY(!Frame()->isWindowModified());

        // An unsaved project has no folder for a marker's files.
        QVERIFY(Frame()->OnFileNew());
        QVERIFY(Drop(Frame()->View(), {"foto.png"}));
        QVERIFY(Messages().Said("Guarde el proyecto antes de convertir 'foto.png'"));
        QCOMPARE(CountsOf(Doc()), QString("0 0 0"));
    }
};

QT_TEST_SUITE(RunDropTests, DropTest)

#include "drop_test.moc"
