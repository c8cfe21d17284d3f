// The crash copy: where it goes, that writing it leaves the project alone,
// that restoring it gives back the edited project under the original path,
// and that a damaged or stale copy is not taken.
#include "document/autosave.h"
#include "document/zelmora_doc.h"
#include "support/pattern_files.h"
#include "support/recording_messages.h"
#include "support/scratch_folder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
QString Q(const std::string& path)
{
    return QString::fromStdString(path);
}

// A saved project p.zel with one tracker on a.patt, then edited in memory
// (renamed, a second pattern) without saving.
class AutosaveTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        setenv("XDG_DATA_HOME", m_folder.Path("datos").c_str(), 1);
        WriteRandomPatternFile(m_folder.Path("a.patt"), 1);
        m_doc.OnNewDocument();
        CTracker& tracker = m_doc.m_trackers.emplace_back();
        tracker.m_strName = "Antes";
        tracker.m_patterns.emplace_back().m_strFile = "a.patt";
        tracker.SetReferenceIndex(0);
        ASSERT_TRUE(m_doc.SaveProject(m_project, nullptr));
        m_saved = ReadBytes(m_project);
        m_doc.m_trackers.front().m_strName = "Después";
        m_doc.m_trackers.front().m_patterns.emplace_back().m_strFile = "a.patt";
        m_doc.SetModifiedFlag(true);
    }

    ScratchFolder m_folder;
    RecordingMessages m_messages;
    std::string m_project = m_folder.Path("p.zel");
    std::string m_saved;
    CZelmoraDoc m_doc;
};
} // namespace

TEST_F(AutosaveTest, TheCopyGoesBesideTheProjectOrIntoTheDataFolder)
{
    EXPECT_EQ(AutosavePath(Q(m_project)), Q(m_folder.Path(".p.zel.autosave")));
    EXPECT_EQ(AutosavePath(QString()).right(24), "/sin-titulo.zel.autosave");
    EXPECT_TRUE(AutosavePath(QString()).startsWith(Q(m_folder.Path("datos/"))));
}

TEST_F(AutosaveTest, TheCopyRestoresTheEditUnderTheOriginalPath)
{
    std::string error;
    ASSERT_TRUE(WriteAutosave(m_doc, Q(m_project), &error)) << error;
    // The copy changes neither the project file nor the document's state.
    EXPECT_EQ(ReadBytes(m_project), m_saved);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_strProjectDir, m_folder.Path() + "/");
    ASSERT_TRUE(HasNewerAutosave(Q(m_project)));

    CZelmoraDoc restored;
    ASSERT_TRUE(restored.OpenProject(m_project, &error)) << error;
    ASSERT_TRUE(RestoreAutosave(restored, Q(m_project), &error)) << error;
    EXPECT_TRUE(restored.IsModified());
    EXPECT_EQ(restored.m_strProjectDir, m_folder.Path() + "/");
    ASSERT_EQ(restored.m_trackers.size(), 1u);
    EXPECT_EQ(restored.m_trackers.front().m_strName, "Después");
    EXPECT_EQ(restored.m_trackers.front().m_patterns.size(), 2u);
    EXPECT_EQ(restored.m_patternRegistry.size(), 1u) << "a.patt resolves beside the project";

    RemoveAutosave(Q(m_project));
    EXPECT_FALSE(HasNewerAutosave(Q(m_project)));
    EXPECT_FALSE(QFileInfo::exists(AutosavePath(Q(m_project))));
}

TEST_F(AutosaveTest, ANeverSavedProjectsCopyRestoresWithoutAFolder)
{
    std::string error;
    ASSERT_TRUE(WriteAutosave(m_doc, QString(), &error)) << error;
    ASSERT_TRUE(HasNewerAutosave(QString()));
    CZelmoraDoc restored;
    ASSERT_TRUE(RestoreAutosave(restored, QString(), &error)) << error;
    EXPECT_EQ(restored.m_trackers.front().m_strName, "Después");
    EXPECT_TRUE(restored.m_strProjectDir.empty());
}

// A damaged copy is refused (the window then sets it aside), a copy older
// than the project was overtaken by a later save, and a copy that cannot
// be written says why and leaves the document as it was.
TEST_F(AutosaveTest, DamagedStaleOrUnwritableCopiesChangeNothing)
{
    std::string error;
    ASSERT_TRUE(WriteAutosave(m_doc, Q(m_project), &error)) << error;
    const QString copy = AutosavePath(Q(m_project));
    const std::string whole = ReadBytes(copy.toStdString());
    WriteBytes(copy.toStdString(), whole.substr(0, whole.size() / 2));
    EXPECT_FALSE(RestoreAutosave(m_doc, Q(m_project), &error));
    EXPECT_NE(error.find(".p.zel.autosave"), std::string::npos) << error;
    EXPECT_EQ(m_doc.m_trackers.front().m_patterns.size(), 2u);

    QFile stale(copy);
    ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
    ASSERT_TRUE(stale.setFileTime(QFileInfo(Q(m_project)).lastModified().addSecs(-60),
                                  QFileDevice::FileModificationTime));
    stale.close();
    EXPECT_FALSE(HasNewerAutosave(Q(m_project)));

    error.clear();
    EXPECT_FALSE(WriteAutosave(m_doc, "/proc/1/falta/p.zel", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(m_doc.IsModified());
}
