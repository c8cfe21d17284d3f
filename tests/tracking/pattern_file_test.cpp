#include "pattern_fixture.h"
#include "tracking_fixture.h"

#include "synth/pattern_picture.h"
#include "tracking/pattern_file.h"
#include "tracking/pattern_matching.h"
#include "tracking/pattern_sampling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
class PatternFile : public FreshTrackingState
{
  protected:
    void SetUp() override
    {
        FreshTrackingState::SetUp();
        Write("good.patt", PatternFileText(AsymmetricPicture(1)));
    }
    std::string Good() const { return m_folder.Path("good.patt"); }
};

int LoadQuietly(const std::string& path)
{
    testing::internal::CaptureStdout();
    const int slot = loadPattern(path.c_str());
    testing::internal::GetCapturedStdout();
    return slot;
}
} // namespace

TEST_F(PatternFile, SlotsFillLowestFirstAndAFreedSlotIsReused)
{
    EXPECT_EQ(loadPattern(Good().c_str()), 0);
    EXPECT_EQ(loadPattern(Good().c_str()), 1);
    EXPECT_EQ(loadPattern(Good().c_str()), 2);
    EXPECT_EQ(freePattern(1), 1);
    EXPECT_EQ(freePattern(1), -1);
    EXPECT_EQ(trackingState().patterns.count, 2);
    EXPECT_EQ(loadPattern(Good().c_str()), 1);
    EXPECT_EQ(loadPattern(Good().c_str()), 3);
    for (int slot : {-1, 50, 1000})
        EXPECT_EQ(freePattern(slot), -1);
    EXPECT_EQ(trackingState().patterns.count, 4);
}

TEST_F(PatternFile, TheFiftyFirstLoadIsRefusedWithoutOpeningTheFile)
{
    for (int i = 0; i < kPatternSlots; ++i)
        ASSERT_EQ(loadPattern(Good().c_str()), i);
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadPattern(m_folder.Path("missing.patt").c_str()), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "the file was opened";
    EXPECT_EQ(trackingState().patterns.count, kPatternSlots);
}

TEST_F(PatternFile, MalformedFilesPrintTheirDiagnosticAndLeaveTheTableAsItWas)
{
    const std::string good = PatternFileText(AsymmetricPicture(2));
    const std::string withoutLast = good.substr(0, good.find_last_of(' '));
    std::string letter = good;
    letter[good.find(' ', 500) + 1] = 'x';
    const struct
    {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty.patt", ""},
        {"short.patt", withoutLast},
        {"letter.patt", letter},
        {"negative.patt", "-3 " + good},
        {"bright.patt", "1000 " + good},
        {"decimal.patt", "12.5 " + good},
        {"overflow.patt", "99999999999999999999 " + good},
    };
    ASSERT_EQ(loadPattern(Good().c_str()), 0);
    for (const auto& c : cases)
    {
        const std::string path = Write(c.name, c.text);
        testing::internal::CaptureStdout();
        EXPECT_EQ(loadPattern(path.c_str()), -1) << c.name;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Pattern Data read error!!\n") << c.name;
        EXPECT_EQ(trackingState().patterns.count, 1) << c.name;
        EXPECT_EQ(trackingState().patterns.inUse[1], 0) << c.name;
    }

    const std::string missing = m_folder.Path("missing.patt");
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadPattern(missing.c_str()), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\"" + missing + "\" not found!!\n");
    EXPECT_EQ(loadPattern(Good().c_str()), 1);
}

TEST_F(PatternFile, AnyWhiteSpaceSeparatesAndTrailingTextIsIgnored)
{
    std::string text = PatternFileText(AsymmetricPicture(3));
    for (char& c : text)
        if (c == ' ')
            c = '\t';
    const std::string tabs = Write("tabs.patt", "\r\n  " + text + "\nend of pattern\n");
    ASSERT_EQ(loadPattern(Good().c_str()), 0);
    ASSERT_EQ(loadPattern(tabs.c_str()), 1);
}

TEST_F(PatternFile, TemplatesAreInvertedMeanFreeAndNormalised)
{
    PatternPicture picture{};
    Cell(picture, 0, 0, 0) = 63; // inverted: 192 there, 255 everywhere else
    ASSERT_EQ(loadPattern(Write("dot.patt", PatternFileText(picture)).c_str()), 0);

    // Inverted sum 255 * 767 + 192 = 195777; integer mean 254.
    const PatternTable& table = trackingState().patterns;
    EXPECT_EQ(table.templates[0][0][0], 192 - 254);
    EXPECT_EQ(table.templates[0][0][1], 1);
    EXPECT_EQ(table.templates[0][0][kPatternValues - 1], 1);
    const double expectedNorm = std::sqrt(62.0 * 62.0 + 767.0);
    for (int h = 0; h < kPatternOrientations; ++h)
        EXPECT_DOUBLE_EQ(table.norms[0][h], expectedNorm);
    // Block 1 has the dot turned to the bottom-left corner, plane 0.
    EXPECT_EQ(table.templates[0][1][(15 * kPatternSide + 0) * kPatternChannels], -62);
}

TEST_F(PatternFile, AFlatPatternScoresZeroAndIsNeverChosen)
{
    PatternPicture grey;
    grey.fill(128);
    ASSERT_EQ(loadPattern(Write("flat.patt", PatternFileText(grey)).c_str()), 0);

    const PatternPicture sample = AsymmetricPicture(9);
    int id, dir;
    double cf;
    matchPattern(trackingState().patterns, sample.data(), &id, &dir, &cf);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(dir, -1);
    EXPECT_EQ(cf, 0.0);
    EXPECT_EQ(LoadQuietly(Good()), 1);
    matchPattern(trackingState().patterns, sample.data(), &id, &dir, &cf);
    EXPECT_NE(id, 0);
}

TEST_F(PatternFile, WrittenBlocksReadBackAsStored)
{
    unsigned char blocks[kPatternOrientations][kPatternValues];
    for (int h = 0; h < kPatternOrientations; ++h)
    {
        const PatternPicture picture = AsymmetricPicture(20 + h);
        std::copy(picture.begin(), picture.end(), blocks[h]);
    }
    const std::string path = m_folder.Path("written.patt");
    ASSERT_TRUE(writePatternFile(path, blocks));
    unsigned char read[kPatternOrientations][kPatternValues];
    int values = 0;
    ASSERT_EQ(readPatternFile(path.c_str(), read, &values), PatternFileStatus::Ok);
    EXPECT_EQ(values, kPatternOrientations * kPatternValues);
    for (int h = 0; h < kPatternOrientations; ++h)
        EXPECT_TRUE(std::equal(read[h], read[h] + kPatternValues, blocks[h])) << "block " << h;
    EXPECT_EQ(LoadQuietly(path), 0);

    EXPECT_FALSE(writePatternFile(m_folder.Path("no/such/dir.patt"), blocks));
    EXPECT_EQ(readPatternFile(m_folder.Path("missing.patt").c_str(), read),
              PatternFileStatus::CannotOpen);
}
