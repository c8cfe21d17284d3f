// The adaptive threshold: ink is dark and paper bright in full light and in
// a shadow alike, flat noise stays bright, every frame size is labelled
// without harm, and the threshold modes are read from their names.

#include "frame_drawing.h"

#include "tracking/adaptive_threshold.h"
#include "tracking/labeling.h"
#include "tracking/threshold_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

namespace
{
constexpr int kSquareSide = 30;
// The middle of a broad stretch of ink may be left out (see
// adaptive_threshold.cpp); a square this small keeps nearly all of it.
constexpr double kMinSquareShare = 0.9;

// A soft shadow's edge: the light falls from 1 at column `from` to `light`
// 40 px further on, and stays there.
void Shade(TestFrame& frame, int from, double light)
{
    for (int y = 0; y < frame.height; ++y)
        for (int x = from; x < frame.width; ++x)
        {
            const double share = 1.0 - (1.0 - light) * std::min(1.0, (x - from) / 40.0);
            for (int c = 0; c < 3; ++c)
            {
                unsigned char& value = frame.bgra[4 * (static_cast<size_t>(y) * frame.width + x) + c];
                value = static_cast<unsigned char>(value * share);
            }
        }
}

int DarkCount(const LabelTables& tables)
{
    return static_cast<int>(std::count(tables.dark.begin(),
                                       tables.dark.begin() + static_cast<size_t>(tables.xsize) * tables.ysize,
                                       1));
}
} // namespace

TEST(AdaptiveThreshold, InkIsDarkAndPaperBrightInLightAndInShadow)
{
    TestFrame frame(240, 100, 215);
    frame.FillRect(35, 35, kSquareSide, kSquareSide, 25);
    frame.FillRect(175, 35, kSquareSide, kSquareSide, 25);
    Shade(frame, 100, 0.35); // paper 75, under any threshold that suits the lit side
    AdaptiveThresholdMap map;
    LabelTables tables;
    buildAdaptiveThreshold(frame.data(), frame.width, frame.height, map);
    labelImage(frame.data(), map, tables);

    ASSERT_EQ(tables.regions.size(), 2u);
    for (const Region& region : tables.regions)
    {
        EXPECT_GE(region.area, kMinSquareShare * kSquareSide * kSquareSide);
        EXPECT_LE(region.area, kSquareSide * kSquareSide);
    }
    EXPECT_LE(DarkCount(tables), 2 * kSquareSide * kSquareSide);
}

TEST(AdaptiveThreshold, FlatNoiseStaysBright)
{
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0.0, 6.0);
    for (const unsigned char grey : {20, 128, 230})
    {
        TestFrame frame(160, 120, grey);
        for (size_t i = 0; i < frame.bgra.size(); ++i)
            if (i % 4 != 3)
                frame.bgra[i] = static_cast<unsigned char>(std::clamp(grey + noise(random), 0.0, 255.0));
        AdaptiveThresholdMap map;
        LabelTables tables;
        buildAdaptiveThreshold(frame.data(), frame.width, frame.height, map);
        labelImage(frame.data(), map, tables);
        EXPECT_EQ(DarkCount(tables), 0) << int(grey);
    }
}

TEST(AdaptiveThreshold, EveryFrameSizeIsLabelledWithoutHarm)
{
    AdaptiveThresholdMap map;
    LabelTables tables;
    for (const auto& [width, height] : {std::pair{0, 0}, {1, 1}, {2, 5}, {9, 1}, {3, 3}, {7, 13},
                                       {17, 9}, {1, 300}})
    {
        TestFrame frame(width, height, 200);
        if (width > 2 && height > 2)
            frame.FillRect(1, 1, 1, 1, 10);
        buildAdaptiveThreshold(frame.data(), width, height, map);
        labelImage(frame.data(), map, tables);
        EXPECT_LE(tables.regions.size(), 1u) << width << " x " << height;
    }
}

struct ThresholdText
{
    const char* text;
    bool valid;
    ThresholdMode mode;
    int value;
};

TEST(DetectionThresholdText, NamesAModeOrAGreyLevel)
{
    const ThresholdText cases[] = {
        {"adaptive", true, ThresholdMode::Adaptive, 7}, {"auto", true, ThresholdMode::Automatic, 7},
        {"0", true, ThresholdMode::Fixed, 0},           {"255", true, ThresholdMode::Fixed, 255},
        {"256", false, ThresholdMode::Adaptive, 7},     {"-1", false, ThresholdMode::Adaptive, 7},
        {"", false, ThresholdMode::Adaptive, 7},        {"12x", false, ThresholdMode::Adaptive, 7},
        {"Auto", false, ThresholdMode::Adaptive, 7},    {"99999999999999999999", false, ThresholdMode::Adaptive, 7},
    };
    for (const ThresholdText& c : cases)
    {
        DetectionThreshold threshold{ThresholdMode::Adaptive, 7};
        std::string error;
        EXPECT_EQ(parseDetectionThreshold(c.text, &threshold, &error), c.valid) << c.text;
        EXPECT_EQ(threshold.mode, c.mode) << c.text;
        EXPECT_EQ(threshold.value, c.value) << c.text;
        EXPECT_EQ(error.empty(), c.valid) << c.text;
    }
}
