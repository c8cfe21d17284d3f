// The window in English, as a user with an English system sees it: the
// menus, the navigator, every dialog and the messages read in English, and
// no text a person can see is left in Spanish. The suite runs with
// LANG=en_US.UTF-8 (see CMakeLists.txt).
#include "document/said_text.h"
#include "ui/dialogs/camera_choice_dialog.h"
#include "ui/dialogs/model3d_dialog.h"
#include "ui/dialogs/pattern_dialog.h"
#include "ui/dialogs/properties_sheet.h"
#include "ui/dialogs/qt_dialog_host.h"
#include "ui/dialogs/tracker_dialog.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/app_language.h"
#include "ui/shell/message_translation.h"
#include "ui/shell/zelmora_app.h"
#include "window_tests.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QXmlStreamReader>

namespace
{
// What the test itself puts on screen, and names that are the same in both
// languages without being in the translation.
const char* const kDataWords[] = {"Webcam", "dev", "video", "fps", "JPEG", "Zelmora", "Version"};

// A text as a person reads it: no mnemonic marks, no trailing dots.
QString Spoken(QString text)
{
    return text.remove('&').remove(QStringLiteral("...")).trimmed();
}

QStringList Words(const QString& text)
{
    static const QRegularExpression kWord(QStringLiteral("\\p{L}+"));
    QStringList words;
    for (auto it = kWord.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words;
}

// The translation file's Spanish sources that read differently in English,
// and every word its English texts use.
struct CTranslationFile
{
    QSet<QString> spanish;
    QSet<QString> englishWords;
    int nUnfinished = 0;
};

CTranslationFile ReadTranslationFile()
{
    CTranslationFile file;
    QFile ts(QStringLiteral(ZELMORA_TS_FILE));
    if (!ts.open(QIODevice::ReadOnly))
        return file;
    QXmlStreamReader xml(&ts);
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd())
    {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation"))
        {
            if (!xml.attributes().value(QLatin1String("type")).isEmpty())
                ++file.nUnfinished;
            const QString english = xml.readElementText();
            if (Spoken(english) != Spoken(source))
                file.spanish.insert(Spoken(source));
            for (const QString& word : Words(Spoken(english)))
                file.englishWords.insert(word);
        }
    }
    for (const char* word : kDataWords)
        file.englishWords.insert(QString::fromLatin1(word));
    return file;
}

// Every text of `root` and its children that a person can see or hear as a
// control's text, with where it shows. Entry fields hold data, not texts.
QList<QPair<QString, QString>> VisibleTexts(QWidget* root)
{
    QList<QPair<QString, QString>> texts;
    auto add = [&texts](const QObject* where, const QString& text)
    {
        if (!text.isEmpty())
            texts.append({where->objectName(), text});
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    add(root, root->windowTitle());
    for (QWidget* widget : widgets)
    {
        add(widget, widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget))
            add(label, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            add(button, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            add(group, group->title());
        if (auto* dock = qobject_cast<QDockWidget*>(widget))
            add(dock, dock->windowTitle());
        if (auto* tabs = qobject_cast<QTabBar*>(widget))
            for (int k = 0; k < tabs->count(); ++k)
                add(tabs, tabs->tabText(k));
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int k = 0; k < combo->count(); ++k)
                add(combo, combo->itemText(k));
        if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
            add(text, text->toPlainText());
        if (auto* tree = qobject_cast<QTreeWidget*>(widget))
        {
            for (int column = 0; column < tree->columnCount(); ++column)
                add(tree, tree->headerItem()->text(column));
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                add(tree, (*it)->text(0));
        }
        for (QAction* action : widget->actions())
        {
            add(action, action->text());
            add(action, action->toolTip());
        }
    }
    return texts;
}
} // namespace

class EnglishWindowTest : public CWindowTest
{
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        m_file = ReadTranslationFile();
        QVERIFY2(!m_file.spanish.isEmpty(), ZELMORA_TS_FILE " cannot be read");
        QCOMPARE(m_file.nUnfinished, 0);
        // As the program does at start-up, from the command line the user gave.
        QVERIFY(ChosenLanguage({"zelmora"}) == AppLanguage::English);
        QVERIFY(ChosenLanguage({"zelmora", "--lang", "es"}) == AppLanguage::Spanish);
        QVERIFY(ChosenLanguage({"zelmora", "--lang=en"}) == AppLanguage::English);
        QVERIFY(InstallLanguage(ChosenLanguage({"zelmora"})));
    }

    void init()
    {
        m_pWindow = std::make_unique<CWindowUnderTest>();
        QVERIFY(m_pWindow->Show(900, 700));
    }

    void cleanup() { m_pWindow.reset(); }

    void menusReadInEnglish()
    {
        QStringList titles;
        for (QAction* menu : Frame()->menuBar()->actions())
            titles << Spoken(menu->text());
        QCOMPARE(titles, QStringList({"File", "Edit", "Project", "Help"}));
        auto* file = Frame()->findChild<QMenu*>("fileMenu");
        QCOMPARE(file->accessibleName(), QString("File"));
        QCOMPARE(Frame()->findChild<QAction*>("saveAsAction")->text(), QString("Save &As..."));
        QCOMPARE(Frame()->findChild<QDockWidget*>("navigator")->windowTitle(),
                 QString("Navigator"));
        QVERIFY(SaveReadmePicture("zelmora-en.png"));
    }

    // The window, its menus and each dialog, as they open: nothing still
    // reads as the Spanish it was written in.
    void everyVisibleTextIsTranslated()
    {
        CQtDialogHost host(Frame());
        const std::string dir = Folder().Path("");
        CaptureDevice camera{"Webcam", "/dev/video0", {{640, 480, true, {{30, 1}}}}};
        std::list<CTracker> trackers(1);
        std::vector<std::unique_ptr<QWidget>> dialogs;
        dialogs.emplace_back(
            new CPropertiesSheet(CProjectSettings(), trackers, dir, host, Frame()));
        dialogs.emplace_back(new CTrackerDialog(CTracker(), dir, host, Frame()));
        dialogs.emplace_back(new CPatternDialog(CPattern(), dir, Frame()));
        dialogs.emplace_back(new CModel3DDialog(CModel3D(), dir, 80.0, Frame()));
        dialogs.emplace_back(new CCameraChoiceDialog({camera}, Frame()));
        dialogs.emplace_back(new CAboutDialog(Frame()));
        QList<QPair<QString, QString>> texts = VisibleTexts(Frame());
        for (const auto& dialog : dialogs)
            texts += VisibleTexts(dialog.get());
        QStringList untranslated;
        for (const auto& [where, text] : texts)
        {
            bool known = !m_file.spanish.contains(Spoken(text));
            for (const QString& word : Words(Spoken(text)))
                known = known && m_file.englishWords.contains(word);
            if (!known)
                untranslated << where + ": " + text;
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
        QVERIFY(texts.size() > 100);
    }

    // What the layers below the document say in Spanish shows in English,
    // inside the document's own sentences too, with its names kept.
    void messagesFromBelowReadInEnglish()
    {
        const std::string stopped =
            Said(QCoreApplication::translate("CZelmoraDoc", "La captura se ha detenido: %1"),
                 {"la fuente de vídeo ha terminado"});
        const struct
        {
            std::string said;
            QString shown;
        } cases[] = {
            {stopped, "The capture has stopped: the video source has ended"},
            {"/p/v%2.cfg es demasiado grande para ser una configuración de vídeo\nfin",
             "/p/v%2.cfg is too large to be a video configuration\nfin"},
            {"Cannot record to a.webm: no se puede crear el codificador de vídeo: no vp8enc",
             "Cannot record to a.webm: cannot create the video encoder: no vp8enc"},
            {"la imagen de 9000 x 10 no cabe en una textura de OpenGL",
             "the 9000 x 10 picture does not fit in an OpenGL texture"},
            {"Assimp: bad (x.obj)", "Assimp: bad (x.obj)"},
        };
        for (const auto& c : cases)
            QCOMPARE(TranslatedMessage(c.said), c.shown);
    }

  private:
    CTranslationFile m_file;
};

QT_TEST_SUITE(RunEnglishWindowTests, EnglishWindowTest)

#include "english_window_test.moc"
