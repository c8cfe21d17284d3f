#include "formats/archive.h"
#include "project/tracker.h"

#include <gtest/gtest.h>

#include <iterator>

namespace
{
CTracker TrackerWithPatterns(int count)
{
    CTracker tracker;
    tracker.m_strName = "Coche";
    for (int k = 0; k < count; ++k)
    {
        CPattern pattern;
        pattern.m_strName = "p" + std::to_string(k);
        pattern.m_strFile = "p" + std::to_string(k) + ".patt";
        pattern.m_nWidth = 40 + k;
        tracker.m_patterns.push_back(pattern);
    }
    return tracker;
}

CTracker RoundTrip(CTracker& tracker)
{
    CArchive out;
    tracker.Serialize(out);
    CArchive in(out.Bytes());
    CTracker loaded;
    loaded.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    return loaded;
}

// A stored tracker claiming `patternCount` patterns, of which `written`
// default ones follow, with that reference index.
std::string StoredTracker(int index, uint32_t patternCount, int written)
{
    CArchive ar;
    ar.WriteString("t");
    ar.WriteI32(index);
    ar.WriteU32(patternCount);
    for (int k = 0; k < written; ++k)
        CPattern().Serialize(ar);
    ar.WriteU32(0);
    return ar.Bytes();
}
} // namespace

TEST(Pattern, CopyKeepsTheTargetsSlot)
{
    CPattern source;
    source.m_strName = "A";
    source.m_nId = 7;
    CPattern target;
    target.m_nId = 3;
    target = source;
    EXPECT_EQ(target.m_strName, "A");
    EXPECT_EQ(target.m_nId, 3);
}

TEST(TrackerReference, StoredIndexForms)
{
    CTracker third = TrackerWithPatterns(4);
    third.SetReferenceIndex(2);
    EXPECT_EQ(RoundTrip(third).ReferenceIndex(), 2);

    CTracker none = TrackerWithPatterns(3);
    none.m_posReference = none.m_patterns.end();
    EXPECT_EQ(none.ReferenceIndex(), 3);
    EXPECT_FALSE(RoundTrip(none).HasReference());

    CTracker empty;
    EXPECT_EQ(empty.ReferenceIndex(), 0);
}

TEST(TrackerReference, OutOfRangeIndicesOnLoading)
{
    struct Case
    {
        int stored;
        int patterns;
        int expected; // -1: no reference
    };
    for (const Case& c : {Case{9, 2, -1}, Case{2, 2, -1}, Case{-5, 2, 0}, Case{0, 0, -1}})
    {
        CArchive in(StoredTracker(c.stored, c.patterns, c.patterns));
        CTracker tracker;
        tracker.Serialize(in);
        if (c.expected < 0)
            EXPECT_FALSE(tracker.HasReference()) << c.stored;
        else
            EXPECT_EQ(tracker.ReferenceIndex(), c.expected) << c.stored;
    }
}

TEST(TrackerCopy, ReferenceFollowsOntoTheCopiedPattern)
{
    CTracker source = TrackerWithPatterns(3);
    source.SetReferenceIndex(1);
    source.m_bFound = true;
    CModel3D model;
    model.m_strName = "casa";
    model.m_matrix.GetData()[12] = 5.0;
    source.m_models.push_back(model);

    CTracker copy(source);
    ASSERT_TRUE(copy.HasReference());
    EXPECT_EQ(copy.m_posReference->m_strName, "p1");
    // The reference must point into the copy's own list, not the source's.
    EXPECT_EQ(copy.ReferenceIndex(), 1);
    copy.m_posReference->m_strName = "changed";
    EXPECT_EQ(std::next(source.m_patterns.begin())->m_strName, "p1");
    EXPECT_TRUE(copy.m_bFound);
    EXPECT_EQ(copy.m_models.front().m_matrix.GetData()[12], 5.0);

    CTracker assigned;
    assigned = source;
    EXPECT_EQ(assigned.m_posReference->m_strName, "p1");
    assigned = assigned;
    EXPECT_EQ(assigned.m_posReference->m_strName, "p1");
}

TEST(TrackerRecord, AbsurdCountsFailWithoutAllocating)
{
    CArchive in(StoredTracker(0, 0xFFFFFFFFu, 0));
    CTracker tracker;
    EXPECT_THROW(tracker.Serialize(in), CArchiveException);
}
