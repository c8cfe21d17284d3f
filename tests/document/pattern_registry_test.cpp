#include "document/zelmora_doc.h"
#include "document/pattern_registry.h"
#include "support/marker_projection.h"
#include "support/pattern_files.h"
#include "support/scratch_folder.h"
#include "support/recording_messages.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <iterator>

namespace
{
class PatternRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        trackingState().Reset();
        UseCamera(PinholeCamera());
        for (const char* name : {"a.patt", "b.patt", "A.patt"})
            WriteRandomPatternFile(m_folder.Path(name), name[0]);
    }

    CTracker& AddTracker(std::initializer_list<std::pair<const char*, int>> patterns)
    {
        CTracker tracker;
        tracker.m_strName = "T" + std::to_string(m_trackers.size());
        for (const auto& [file, width] : patterns)
        {
            CPattern pattern;
            pattern.m_strName = std::string("patrón ") + file;
            pattern.m_strFile = m_folder.Path(file);
            pattern.m_nWidth = width;
            tracker.m_patterns.push_back(pattern);
        }
        tracker.SetReferenceIndex(0);
        m_trackers.push_back(tracker);
        return m_trackers.back();
    }

    MarkerInfo MarkerOf(int id, double cf, double x)
    {
        double pose[3][4];
        FacingPose(x, 0, 700, 15, pose);
        return ProjectMarker(PinholeCamera(), pose, 80, 0, id, cf);
    }

    ScratchFolder m_folder;
    std::list<CTracker> m_trackers;
    std::list<CPatternEntry> m_registry;
    RecordingMessages m_messages;
};
} // namespace

TEST_F(PatternRegistryTest, SharedFileIsOneEntryListingEveryUser)
{
    CTracker& first = AddTracker({{"a.patt", 80}, {"b.patt", 80}});
    CTracker& second = AddTracker({{"a.patt", 80}});
    CTracker& third = AddTracker({{"b.patt", 80}, {"b.patt", 80}});
    BuildPatternRegistry(m_trackers, m_registry);

    ASSERT_EQ(m_registry.size(), 2u);
    const CPatternEntry& a = m_registry.front();
    const CPatternEntry& b = m_registry.back();
    EXPECT_EQ(a.m_trackerList, (std::vector<CTracker*>{&first, &second}));
    EXPECT_EQ(b.m_trackerList, (std::vector<CTracker*>{&first, &third, &third}));
    EXPECT_EQ(a.m_state.m_pPattern, &first.m_patterns.front());
    EXPECT_EQ(second.m_patterns.front().m_nId, a.m_state.m_nId);
    EXPECT_EQ(third.m_patterns.back().m_nId, b.m_state.m_nId);
    EXPECT_NE(a.m_state.m_nId, b.m_state.m_nId);
    EXPECT_EQ(first.m_nNodes, 3);
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(PatternRegistryTest, WidthConflictIsReportedAndTheFirstWidthKept)
{
    AddTracker({{"a.patt", 80}});
    AddTracker({{"a.patt", 120}});
    BuildPatternRegistry(m_trackers, m_registry);
    ASSERT_EQ(m_messages.m_messages.size(), 1u);
    const UserMessage& message = m_messages.m_messages.front();
    EXPECT_EQ(message.text, "El patrón 'patrón a.patt' se repite en varios Trackers con anchos "
                            "diferentes. Se utilizará el ancho '80'");
    EXPECT_EQ(message.caption, "Aviso");
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(m_registry.front().m_state.m_pPattern->m_nWidth, 80);
}

TEST_F(PatternRegistryTest, NamesDifferingInCaseOrSpellingAreDifferentFiles)
{
    AddTracker({{"a.patt", 80}, {"A.patt", 80}});
    CTracker& spelled = AddTracker({});
    CPattern pattern;
    pattern.m_strFile = m_folder.Path("./a.patt");
    spelled.m_patterns.push_back(pattern);
    BuildPatternRegistry(m_trackers, m_registry);
    ASSERT_EQ(m_registry.size(), 3u);
    EXPECT_EQ(trackingState().patterns.count, 3);

    ReleasePatternRegistry(m_registry);
    EXPECT_TRUE(m_registry.empty());
    EXPECT_EQ(trackingState().patterns.count, 0);
}

TEST_F(PatternRegistryTest, BestConfidenceWinsAndTheFirstOnTies)
{
    CTracker& tracker = AddTracker({{"a.patt", 80}});
    BuildPatternRegistry(m_trackers, m_registry);
    const int id = m_registry.front().m_state.m_nId;

    const MarkerInfo markers[] = {MarkerOf(id, 0.7, -100), MarkerOf(id, 0.9, 0),
                                  MarkerOf(id, 0.9, 100), MarkerOf(id + 1, 0.99, 200)};
    tracker.BeginFrame();
    DispatchDetectedMarkers(markers, 4, m_registry, true);
    const CPatternState& state = m_registry.front().m_state;
    EXPECT_TRUE(state.m_bVisible);
    EXPECT_EQ(state.m_dConfidence, 0.9);
    EXPECT_NEAR(state.m_current[0][3], 0.0, 1.0);
    ASSERT_EQ(tracker.m_observations.size(), 1u);

    tracker.BeginFrame();
    DispatchDetectedMarkers(markers + 3, 1, m_registry, true);
    EXPECT_FALSE(state.m_bVisible);
    EXPECT_TRUE(tracker.m_observations.empty());
}

TEST_F(PatternRegistryTest, UnloadableFileNeverTakesAnUnidentifiedSquare)
{
    CTracker& tracker = AddTracker({{"missing.patt", 80}});
    BuildPatternRegistry(m_trackers, m_registry);
    ASSERT_EQ(m_registry.front().m_state.m_nId, -1);

    const MarkerInfo unidentified = MarkerOf(-1, 0.0, 0);
    tracker.BeginFrame();
    DispatchDetectedMarkers(&unidentified, 1, m_registry, true);
    EXPECT_FALSE(m_registry.front().m_state.m_bVisible);
    EXPECT_TRUE(tracker.m_observations.empty());
}

TEST_F(PatternRegistryTest, UnestimablePoseCountsAsNotSeen)
{
    CTracker& tracker = AddTracker({{"a.patt", 80}});
    BuildPatternRegistry(m_trackers, m_registry);
    MarkerInfo degenerate = MarkerOf(m_registry.front().m_state.m_nId, 0.9, 0);
    // Every corner in one point: no line, no rotation, no translation.
    for (auto& line : degenerate.line)
        line[0] = line[1] = line[2] = 0.0;
    for (auto& vertex : degenerate.vertex)
    {
        vertex[0] = 320.0;
        vertex[1] = 240.0;
    }
    tracker.BeginFrame();
    DispatchDetectedMarkers(&degenerate, 1, m_registry, true);
    EXPECT_FALSE(m_registry.front().m_state.m_bVisible);
    EXPECT_TRUE(tracker.m_observations.empty());
}

TEST_F(PatternRegistryTest, DocumentRebuildDiscardsRelations)
{
    AddTracker({{"a.patt", 80}});
    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.m_trackers.splice(doc.m_trackers.end(), m_trackers);
    doc.BuildPatternRegistry();
    CTracker& tracker = doc.m_trackers.front();
    ASSERT_EQ(tracker.m_nNodes, 2);
    tracker.Relation(0, 0).Set(CMatrix(), 0.9f);

    doc.ReleaseRunData();
    EXPECT_TRUE(doc.m_patternRegistry.empty());
    EXPECT_EQ(tracker.m_nNodes, 0);
    doc.BuildPatternRegistry();
    EXPECT_FALSE(tracker.Relation(0, 0).m_bValid);
}

TEST_F(PatternRegistryTest, ClosedDocumentsGiveTheirSlotsBack)
{
    AddTracker({{"a.patt", 80}, {"b.patt", 80}});
    // More documents than the library has slots, one after the other.
    for (int k = 0; k < 30; ++k)
    {
        CZelmoraDoc doc;
        doc.OnNewDocument();
        doc.m_trackers = m_trackers;
        doc.BuildPatternRegistry();
        ASSERT_NE(doc.m_patternRegistry.front().m_state.m_nId, -1) << "document " << k;
    }
    EXPECT_EQ(trackingState().patterns.count, 0);
}
