#include "project/pattern_state.h"
#include "project/tracker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <vector>

namespace
{
constexpr double kPoseTolerance = 1e-9;

// Gives `tracker` patterns holding slots 10, 11, ... with pattern
// `reference` (-1: none) as reference, and builds its relation table. Built
// in place: a copy never carries relations.
void Build(CTracker& tracker, int patterns, int reference)
{
    for (int k = 0; k < patterns; ++k)
    {
        tracker.m_patterns.emplace_back();
        tracker.m_patterns.back().m_nId = 10 + k;
    }
    if (reference >= 0)
        tracker.SetReferenceIndex(reference);
    tracker.BuildRelations();
}

// A pattern state seen at a pose turned by `angleDeg` about z and moved to
// (x, y, z), with confidence `cf`.
CPatternState Seen(int id, double angleDeg, double x, double y, double z, double cf)
{
    CPatternState state;
    state.m_nId = id;
    state.m_dConfidence = cf;
    const double a = angleDeg * M_PI / 180.0;
    const double transform[3][4] = {
        {std::cos(a), -std::sin(a), 0, x}, {std::sin(a), std::cos(a), 0, y}, {0, 0, 1, z}};
    std::memcpy(state.m_average, transform, sizeof transform);
    return state;
}

void ExpectPose(const CMatrix& actual, const CMatrix& expected)
{
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(actual.GetData()[k], expected.GetData()[k], kPoseTolerance) << k;
}

// One frame: the observations in the order the registry would give them.
void RunFrame(CTracker& tracker, std::vector<CPatternState*> seen)
{
    tracker.BeginFrame();
    for (CPatternState* state : seen)
        tracker.AddObservation(state, true);
    tracker.ComputePose();
}
} // namespace

TEST(TrackerRelations, ACopyCarriesNoGraph)
{
    CTracker tracker;
    Build(tracker, 3, 1);
    const CTracker copy(tracker);
    EXPECT_EQ(copy.m_nNodes, 0);
    EXPECT_TRUE(copy.m_relations.empty());
    EXPECT_EQ(copy.m_nReference, -1);
}

TEST(TrackerRelations, ReferenceAloneGivesItsOwnPose)
{
    CTracker tracker;
    Build(tracker, 2, 0);
    CPatternState reference = Seen(10, 30, 5, 6, 700, 0.8);
    RunFrame(tracker, {&reference});
    ASSERT_TRUE(tracker.m_bFound);
    ExpectPose(tracker.m_pose, reference.GetGLMatrix());
}

TEST(TrackerRelations, HiddenReferenceNeedsASharedFrameFirst)
{
    CTracker tracker;
    Build(tracker, 2, 0);
    CPatternState reference = Seen(10, 10, 0, 0, 600, 0.9);
    CPatternState second = Seen(11, 40, 120, 0, 610, 0.8);

    tracker.m_pose.GetData()[12] = 77.0;
    RunFrame(tracker, {&second});
    EXPECT_FALSE(tracker.m_bFound);
    EXPECT_EQ(tracker.m_pose.GetData()[12], 77.0);

    RunFrame(tracker, {&reference, &second});
    ASSERT_TRUE(tracker.m_bFound);
    ExpectPose(tracker.m_pose, reference.GetGLMatrix());
    const CMatrix sharedReference = reference.GetGLMatrix();
    const CMatrix sharedSecond = second.GetGLMatrix();

    CPatternState moved = Seen(11, 55, 90, 20, 650, 0.7);
    RunFrame(tracker, {&moved});
    ASSERT_TRUE(tracker.m_bFound);
    ExpectPose(tracker.m_pose, moved.GetGLMatrix() * sharedSecond.Inverse() * sharedReference);

    const CMatrix last = tracker.m_pose;
    RunFrame(tracker, {});
    EXPECT_FALSE(tracker.m_bFound);
    EXPECT_EQ(tracker.m_pose, last);
}

TEST(TrackerRelations, WithoutReferenceNothingIsEverFound)
{
    CTracker tracker;
    Build(tracker, 2, -1);
    CPatternState a = Seen(10, 0, 0, 0, 600, 0.9);
    CPatternState b = Seen(11, 0, 100, 0, 600, 0.9);
    RunFrame(tracker, {&a, &b});
    EXPECT_FALSE(tracker.m_bFound);

    CTracker unbuilt;
    unbuilt.m_patterns.emplace_back();
    unbuilt.SetReferenceIndex(0);
    unbuilt.ComputePose();
    EXPECT_FALSE(unbuilt.m_bFound);
}

TEST(TrackerRelations, MostTrustedPathMayGoAroundASeenReference)
{
    // Patterns R (reference), A and B. Earlier frames recorded R-B (0.95)
    // and A-B (0.9); now R is seen at 0.6 and A at 0.9, B is hidden.
    CTracker tracker;
    Build(tracker, 3, 0);
    CPatternState r = Seen(10, 0, 0, 0, 600, 0.95);
    CPatternState a = Seen(11, 20, 100, 0, 600, 0.9);
    CPatternState b = Seen(12, 45, 0, 100, 600, 0.95);
    RunFrame(tracker, {&r, &b});
    RunFrame(tracker, {&a, &b});
    const CMatrix relationAB = tracker.Relation(1, 2).m_matrix;
    const CMatrix relationBR = tracker.Relation(2, 0).m_matrix;

    r = Seen(10, 3, 2, 0, 605, 0.6);
    a = Seen(11, 22, 101, 1, 603, 0.9);
    RunFrame(tracker, {&r, &a});
    ASSERT_TRUE(tracker.m_bFound);
    EXPECT_FLOAT_EQ(tracker.Relation(0, 1).m_fWeight, 0.6f);
    ExpectPose(tracker.m_pose, a.GetGLMatrix() * relationAB * relationBR);
}

TEST(TrackerRelations, EqualWeightsExpandInTheOrderReached)
{
    // Two seen patterns with equal confidence both reach the camera; the
    // one reached first (lower node) gives the pose.
    CTracker tracker;
    Build(tracker, 3, 0);
    CPatternState a = Seen(11, 10, 100, 0, 600, 0.8);
    CPatternState b = Seen(12, 50, 0, 100, 600, 0.8);
    CPatternState r = Seen(10, 0, 0, 0, 600, 0.9);
    RunFrame(tracker, {&r, &a, &b});
    const CMatrix viaA = tracker.Relation(1, 0).m_matrix;

    a = Seen(11, 12, 101, 0, 600, 0.8);
    b = Seen(12, 52, 0, 101, 600, 0.8);
    RunFrame(tracker, {&b, &a});
    ASSERT_TRUE(tracker.m_bFound);
    ExpectPose(tracker.m_pose, a.GetGLMatrix() * viaA);
}

TEST(TrackerRelations, AWeakLastLinkNeverReplacesAStrongerPath)
{
    // R (reference), H and U were seen together at 0.99. Now R is seen at
    // 0.9, U at 0.3 and somewhere else, H is hidden. The path R-H-U reaches
    // U at 0.98, but its last link to the camera weighs only 0.3: the
    // camera must keep R's own, far more trusted sighting.
    CTracker tracker;
    Build(tracker, 3, 0);
    CPatternState r = Seen(10, 0, 0, 0, 600, 0.99);
    CPatternState h = Seen(11, 10, 100, 0, 600, 0.99);
    CPatternState u = Seen(12, 20, 200, 0, 600, 0.99);
    RunFrame(tracker, {&r, &h, &u});

    r = Seen(10, 1, 1, 0, 601, 0.9);
    u = Seen(12, 60, 250, 40, 500, 0.3);
    RunFrame(tracker, {&r, &u});
    ASSERT_TRUE(tracker.m_bFound);
    ExpectPose(tracker.m_pose, r.GetGLMatrix());
}

// A record kept from an earlier frame shows its pattern when nothing fresher
// can, but is never paired into a relation, and a fresh sighting of another
// pattern leads the pose over it.
TEST(TrackerRelations, AKeptRecordRelatesNothingAndGivesWayToAFreshPath)
{
    CTracker tracker;
    Build(tracker, 2, 0);
    CPatternState reference = Seen(10, 10, 0, 0, 600, 0.9);
    CPatternState second = Seen(11, 40, 120, 0, 610, 0.8);
    RunFrame(tracker, {&reference, &second});
    const CMatrix relation = second.GetGLMatrix().Inverse() * reference.GetGLMatrix();

    // The reference's old record with the second marker seen where it moved.
    CPatternState kept = reference;
    CPatternState moved = Seen(11, 55, 90, 20, 650, 0.8);
    tracker.BeginFrame();
    tracker.AddObservation(&kept, true, false);
    tracker.AddObservation(&moved, true);
    tracker.ComputePose();
    ASSERT_TRUE(tracker.m_bFound);
    ExpectPose(tracker.m_pose, moved.GetGLMatrix() * relation);
    ExpectPose(tracker.Relation(1, 0).m_matrix, relation);

    tracker.BeginFrame();
    tracker.AddObservation(&kept, true, false);
    tracker.ComputePose();
    ASSERT_TRUE(tracker.m_bFound);
    ExpectPose(tracker.m_pose, kept.GetGLMatrix());
}
