// Commands on a saved project: the live run across stop, start, new and
// load, and the properties sheet taken or cancelled, running or not.
#include "document/zelmora_doc.h"
#include "model_writers/write_3ds.h"
#include "support/pattern_files.h"
#include "support/project_fixture.h"
#include "support/recording_messages.h"
#include "render/model_scene.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// Answers the properties sheet with a scripted edit, and counts the
// navigator's refreshes.
class ScriptedHost : public CDialogHost, public CNavigatorHost
{
  public:
    bool EditProperties(CProjectSettings& settings, std::list<CTracker>& trackers,
                        const std::string& projectDir) override
    {
        m_strProjectDir = projectDir;
        return m_edit(settings, trackers);
    }
    bool EditTracker(CTracker&, const std::string&) override { return false; }
    bool EditPattern(CPattern&, const std::string&) override { return false; }
    bool EditModel(CModel3D&, const std::string&, double) override { return false; }
    void RefreshTree() override { ++m_nRefreshes; }

    std::function<bool(CProjectSettings&, std::list<CTracker>&)> m_edit;
    std::string m_strProjectDir; // empty until the sheet was asked for
    int m_nRefreshes = 0;
};

// A saved project: one tracker with pattern a.patt and model m.3ds, a
// 64 x 48 test-pattern video and a camera for it; b.patt lies beside.
class SavedProject : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        WriteRandomPatternFile(m_folder.Path("a.patt"), 1);
        WriteRandomPatternFile(m_folder.Path("b.patt"), 2);
        Model3dsSpec scene;
        scene.meshes.push_back(SquareMesh("cara", {0, 0, 0}, 10, 0, 1));
        scene.nodes.push_back(StillNode("cara", 0));
        Write3ds(scene, m_folder.Path("m.3ds"));
        m_doc.OnNewDocument();
        std::string error;
        ASSERT_TRUE(UseTestVideo(m_folder, m_doc, &error)) << error;
        CTracker& tracker = m_doc.m_trackers.emplace_back();
        tracker.m_patterns.emplace_back().m_strFile = "a.patt";
        tracker.SetReferenceIndex(0);
        tracker.m_models.emplace_back().m_strFile = "m.3ds";
        ASSERT_TRUE(m_doc.SaveProject(m_folder.Path("p.zel"), nullptr));
        ASSERT_TRUE(m_doc.OpenProject(m_folder.Path("p.zel"), nullptr));
        m_doc.SetDialogHost(&m_host);
        m_doc.SetNavigator(&m_host);
    }

    CTracker& Tracker() { return m_doc.m_trackers.front(); }

    ScratchFolder m_folder;
    RecordingMessages m_messages;
    ScriptedHost m_host;
    CZelmoraDoc m_doc;
};
} // namespace

TEST_F(SavedProject, RelationsSurviveStopAndStartButNotARebuild)
{
    Tracker().m_patterns.emplace_back().m_strFile = "b.patt";
    m_doc.ReleaseRunData();
    m_doc.BuildPatternRegistry();
    ASSERT_EQ(Tracker().m_nNodes, 3);
    Tracker().Relation(0, 1).Set(CMatrix(), 0.9f);

    ASSERT_TRUE(m_doc.StartCapture());
    EXPECT_EQ(m_doc.ProcessNextFrame(5000), CVideoSource::Grab::Frame);
    EXPECT_EQ(m_doc.m_pCameraCalibration->m_param.xsize, 64);
    m_doc.OnStopCapture();
    EXPECT_FALSE(m_doc.IsCapturing());
    ASSERT_TRUE(m_doc.StartCapture());
    EXPECT_TRUE(Tracker().Relation(0, 1).m_bValid);

    m_doc.ReleaseRunData();
    m_doc.BuildPatternRegistry();
    EXPECT_FALSE(Tracker().Relation(0, 1).m_bValid);
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(SavedProject, NewAndLoadingEndTheRun)
{
    ASSERT_TRUE(m_doc.StartCapture());
    ASSERT_TRUE(m_doc.OpenProject(m_folder.Path("p.zel"), nullptr));
    EXPECT_FALSE(m_doc.IsCapturing());
    EXPECT_FALSE(m_doc.m_pCameraCalibration);

    ASSERT_TRUE(m_doc.StartCapture());
    m_doc.OnNewDocument();
    EXPECT_FALSE(m_doc.IsCapturing());
    EXPECT_TRUE(m_doc.m_trackers.empty());
}

TEST_F(SavedProject, PropertiesNeverSavedProjectIsRefusedWithoutTheSheet)
{
    m_doc.OnNewDocument();
    m_messages.m_messages.clear();
    EXPECT_FALSE(m_doc.OnProperties());
    EXPECT_EQ(m_host.m_strProjectDir, "");
    ASSERT_EQ(m_messages.m_messages.size(), 1u);
    EXPECT_EQ(m_messages.m_messages[0].text, "Guarde el proyecto antes de iniciar su ejecución");
    EXPECT_EQ(m_messages.m_messages[0].caption, "Aviso");
    EXPECT_EQ(m_messages.m_messages[0].icon, MessageIcon::Exclamation);
}

TEST_F(SavedProject, PropertiesOkTakesTheEditsAndReloadsPatternsAndModels)
{
    m_host.m_edit = [](CProjectSettings& settings, std::list<CTracker>& trackers)
    {
        settings.m_bAutoThreshold = false;
        settings.m_nThreshold = 77;
        trackers.front().m_strName = "nuevo";
        trackers.front().m_patterns.emplace_back().m_strFile = "b.patt";
        return true;
    };
    EXPECT_TRUE(m_doc.OnProperties());

    EXPECT_EQ(m_host.m_strProjectDir, m_doc.m_strProjectDir);
    EXPECT_FALSE(m_doc.m_settings.m_bAutoThreshold);
    EXPECT_EQ(m_doc.m_settings.m_nThreshold, 77);
    EXPECT_EQ(m_doc.m_settings.m_strVideoConfig, "v.cfg");
    EXPECT_EQ(Tracker().m_strName, "nuevo");
    EXPECT_EQ(Tracker().ReferenceIndex(), 0);
    EXPECT_EQ(m_doc.m_patternRegistry.size(), 2u);
    for (const CPattern& pattern : Tracker().m_patterns)
        EXPECT_GE(pattern.m_nId, 0) << pattern.m_strFile;
    EXPECT_EQ(Tracker().m_nNodes, 3);
    EXPECT_TRUE(ModelScene(Tracker().m_models.front()).IsLoaded());
    EXPECT_EQ(m_host.m_nRefreshes, 1);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(SavedProject, PropertiesCancelTouchesNothing)
{
    const int patternId = Tracker().m_patterns.front().m_nId;
    m_host.m_edit = [](CProjectSettings& settings, std::list<CTracker>& trackers)
    {
        settings.m_strVideoConfig = "otro.cfg";
        trackers.clear();
        return false;
    };
    EXPECT_FALSE(m_doc.OnProperties());

    EXPECT_EQ(m_host.m_strProjectDir, m_doc.m_strProjectDir);
    EXPECT_EQ(m_doc.m_settings.m_strVideoConfig, "v.cfg");
    ASSERT_EQ(m_doc.m_trackers.size(), 1u);
    EXPECT_EQ(Tracker().m_patterns.front().m_nId, patternId);
    EXPECT_EQ(m_doc.m_patternRegistry.size(), 1u);
    EXPECT_TRUE(ModelScene(Tracker().m_models.front()).IsLoaded());
    EXPECT_EQ(m_host.m_nRefreshes, 0);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(SavedProject, PropertiesRunningRunGoesOnWithTheRebuiltRegistry)
{
    ASSERT_TRUE(m_doc.StartCapture());
    ASSERT_EQ(m_doc.ProcessNextFrame(5000), CVideoSource::Grab::Frame);
    m_host.m_edit = [](CProjectSettings&, std::list<CTracker>& trackers)
    {
        trackers.front().m_patterns.front().m_strFile = "b.patt";
        return true;
    };
    EXPECT_TRUE(m_doc.OnProperties());

    EXPECT_TRUE(m_doc.IsCapturing());
    ASSERT_EQ(m_doc.m_patternRegistry.size(), 1u);
    EXPECT_EQ(m_doc.m_patternRegistry.front().m_trackerList.front(), &Tracker());
    EXPECT_EQ(m_doc.ProcessNextFrame(5000), CVideoSource::Grab::Frame);
    EXPECT_TRUE(m_doc.IsCapturing());
    EXPECT_TRUE(m_messages.m_messages.empty());
}
