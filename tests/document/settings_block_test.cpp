#include "document/zelmora_doc.h"
#include "formats/archive.h"
#include "support/project_fixture.h"
#include "support/recording_messages.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
std::string Saved(CZelmoraDoc& doc)
{
    CArchive ar;
    doc.Serialize(ar);
    return ar.Bytes();
}

// The sample project with the adaptive threshold and its last pattern on
// the adaptive filter.
void UseAdaptiveSettings(CZelmoraDoc& doc)
{
    doc.m_settings.m_bAdaptiveThreshold = true;
    CPattern& pattern = doc.m_trackers.back().m_patterns.back();
    pattern.m_filter = PoseFilter::Adaptive;
    pattern.m_fMinCutoff = 0.5f;
    pattern.m_fSpeedGain = 0.25f;
}

std::string U32(uint32_t value)
{
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

struct DamageCase
{
    const char* name;
    size_t offset; // from the block's tag
    std::string bytes;
};

class DamagedSettingsBlock : public testing::TestWithParam<DamageCase>
{
};
} // namespace

TEST(SettingsBlock, IsWrittenOnlyForNewSettingsAndReadsBack)
{
    ScratchFolder folder;
    CZelmoraDoc doc;
    FillSampleProject(doc);
    const std::string old = Saved(doc);
    UseAdaptiveSettings(doc);
    const std::string withBlock = Saved(doc);
    ASSERT_GT(withBlock.size(), old.size());
    EXPECT_EQ(withBlock.compare(0, old.size(), old), 0) << "the records keep their bytes";
    EXPECT_EQ(withBlock.substr(old.size(), 4), "ZLMS");

    WriteBytes(folder.Path("adaptive.zel"), withBlock);
    CZelmoraDoc loaded;
    ASSERT_TRUE(loaded.OpenProject(folder.Path("adaptive.zel"), nullptr));
    EXPECT_TRUE(loaded.m_settings.m_bAdaptiveThreshold);
    const CPattern& pattern = loaded.m_trackers.back().m_patterns.back();
    EXPECT_EQ(pattern.m_filter, PoseFilter::Adaptive);
    EXPECT_EQ(pattern.m_fMinCutoff, 0.5f);
    EXPECT_EQ(pattern.m_fSpeedGain, 0.25f);
    EXPECT_EQ(loaded.m_trackers.front().m_patterns.front().m_filter, PoseFilter::RunningAverage);
    EXPECT_EQ(Saved(loaded), withBlock);

    // Back to the old behaviour, the file is the old bytes again.
    loaded.m_settings.m_bAdaptiveThreshold = false;
    loaded.m_trackers.back().m_patterns.back().m_filter = PoseFilter::RunningAverage;
    EXPECT_EQ(Saved(loaded), old);
}

TEST(SettingsBlock, ANewerVersionIsSkippedWithAMessage)
{
    ScratchFolder folder;
    CZelmoraDoc doc;
    FillSampleProject(doc);
    const std::string old = Saved(doc);
    // Version 2 with a body this version cannot read.
    WriteBytes(folder.Path("newer.zel"), old + "ZLMS" + U32(2) + U32(3) + "abc");
    RecordingMessages messages;
    CZelmoraDoc loaded;
    ASSERT_TRUE(loaded.OpenProject(folder.Path("newer.zel"), nullptr));
    EXPECT_TRUE(messages.Said("versión 2"));
    EXPECT_FALSE(loaded.m_settings.m_bAdaptiveThreshold);
    EXPECT_EQ(Saved(loaded), old);
}

TEST_P(DamagedSettingsBlock, IsRefusedAndTheOpenProjectStays)
{
    ScratchFolder folder;
    CZelmoraDoc sample;
    FillSampleProject(sample);
    const size_t blockStart = Saved(sample).size();
    UseAdaptiveSettings(sample);
    std::string bytes = Saved(sample);
    const DamageCase& damage = GetParam();
    if (damage.bytes.empty())
        bytes.resize(blockStart + damage.offset);
    else
        bytes.replace(blockStart + damage.offset, damage.bytes.size(), damage.bytes);
    WriteBytes(folder.Path("damaged.zel"), bytes);

    CZelmoraDoc doc;
    FillSampleProject(doc);
    const std::string before = Saved(doc);
    std::string error;
    EXPECT_FALSE(doc.OpenProject(folder.Path("damaged.zel"), &error));
    EXPECT_NE(error.find("settings block"), std::string::npos) << error;
    EXPECT_EQ(Saved(doc), before);
}

namespace
{
const float kNan = std::nanf("");
const std::string kNanBytes(reinterpret_cast<const char*>(&kNan), 4);
// Block layout: tag, version, length, threshold mode, pattern count, then
// each pattern's filter, cut-off and gain; the sample has six patterns.
const DamageCase kDamages[] = {
    {"CutAfterTheTag", 4, ""},
    {"CutInsideTheBody", 30, ""},
    {"VersionZero", 4, U32(0)},
    {"LengthPastTheEnd", 8, U32(1u << 30)},
    {"UnknownThresholdMode", 12, U32(7)},
    {"WrongPatternCount", 16, U32(5)},
    {"UnknownFilter", 20, U32(9)},
    {"CutOffNotANumber", 24, kNanBytes},
};
} // namespace

INSTANTIATE_TEST_SUITE_P(Cases, DamagedSettingsBlock, testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });
