#include "synth_fixture.h"
#include "tracking_fixture.h"

#include "synth/frame_renderer.h"
#include "synth/pattern_picture.h"
#include "synth/synth_pose.h"
#include "tracking/auto_threshold.h"
#include "tracking/detection.h"
#include "tracking/pattern_matching.h"
#include "tracking/pose.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <ostream>

namespace
{
constexpr int kAccuracyFrames = 60;
constexpr double kMinFoundShare = 0.98;
constexpr double kCornerMedianTolerancePx = 0.1;
constexpr double kRotationMedianToleranceDeg = 1.0;
constexpr double kTranslationMedianShare = 0.01;
constexpr double kGoodEnoughError = 1.0;
constexpr double kWidthMm = 80.0;
constexpr double kCenter[2] = {0.0, 0.0};

// Vertex paired with marker corner k under the record's orientation.
const double* PairedVertex(const MarkerInfo& marker, int k)
{
    return marker.vertex[(4 + k - marker.dir) % 4];
}

// Three pictures whose patterns are loaded into slots 0 to 2, and the test
// camera made current.
class DetectionOnRenderedFrames : public FreshTrackingState
{
  protected:
    void SetUp() override
    {
        FreshTrackingState::SetUp();
        initCameraParam(m_camera);
        for (uint32_t seed = 1; seed <= 3; ++seed)
            m_pictures.push_back(makeBlockPicture(seed));
        for (size_t i = 0; i < m_pictures.size(); ++i)
        {
            m_picturePointers.push_back(&m_pictures[i]);
            const std::string path = m_folder.Path("pattern" + std::to_string(i) + ".patt");
            writePatternFile(path, m_pictures[i]);
            ASSERT_EQ(loadPattern(path.c_str()), static_cast<int>(i));
        }
    }

    SynthFrame Render(const std::vector<SynthMarker>& markers, uint32_t seed) const
    {
        SynthBackground background;
        background.grey = 140;
        return CFrameRenderer(m_camera, RealisticOptions(seed)).Render(markers, background);
    }

    int Detect(const SynthFrame& frame, MarkerInfo** markers) const
    {
        int count = 0;
        EXPECT_EQ(detectMarkers(frame.bgra.data(),
                                automaticThreshold(frame.bgra.data(), frame.width, frame.height),
                                markers, &count),
                  0);
        return count;
    }

    CameraParam m_camera = TestCamera();
    std::vector<SynthPicture> m_pictures;
    std::vector<const SynthPicture*> m_picturePointers;
};
} // namespace

TEST_F(DetectionOnRenderedFrames, AccuracyOverARandomSetOfScenes)
{
    std::mt19937 random(2024);
    int markerCount = 0, found = 0, wrongPattern = 0, slowContinuations = 0;
    std::vector<double> cornerErrors, rotationErrors, translationErrors;
    for (int f = 0; f < kAccuracyFrames; ++f)
    {
        const auto scene = RandomScene(m_camera, m_picturePointers, 3, random);
        const SynthFrame frame = Render(MarkersOf(scene), f + 1);
        trackingState().detection.ClearHistory();
        MarkerInfo* markers;
        const int count = Detect(frame, &markers);

        for (int i = 0; i < count; ++i)
        {
            bool onItsMarker = markers[i].id < 0;
            for (size_t m = 0; m < scene.size() && !onItsMarker; ++m)
                onItsMarker = scene[m].pattern == markers[i].id &&
                              ResultAt(frame.truths[m], &markers[i], 1) != nullptr;
            wrongPattern += !onItsMarker;
        }

        for (size_t m = 0; m < scene.size(); ++m)
        {
            ++markerCount;
            const SynthTruth& truth = frame.truths[m];
            const MarkerInfo* result = ResultAt(truth, markers, count);
            if (!result || result->id != scene[m].pattern)
                continue;
            ++found;
            for (int k = 0; k < 4; ++k)
                cornerErrors.push_back(
                    std::hypot(PairedVertex(*result, k)[0] - truth.idealCorners[k][0],
                               PairedVertex(*result, k)[1] - truth.idealCorners[k][1]));
            double t[3][4];
            ASSERT_GE(estimateMarkerTransform(*result, kCenter, kWidthMm, t), 0.0);
            rotationErrors.push_back(rotationDifferenceDeg(t, truth.cameraFromMarker));
            translationErrors.push_back(translationErrorShare(t, truth.cameraFromMarker));

            std::memcpy(t, truth.cameraFromMarker, sizeof(t));
            const double error = estimateMarkerTransformCont(*result, t, kCenter, kWidthMm, t);
            slowContinuations += !(error >= 0.0 && error < kGoodEnoughError);
        }
    }

    const double foundShare = static_cast<double>(found) / markerCount;
    std::cout << "markers " << markerCount << ", found " << foundShare * 100 << "%, wrong "
              << wrongPattern << ", corner median " << Median(cornerErrors)
              << " px, rotation median " << Median(rotationErrors) << " deg, translation median "
              << Median(translationErrors) * 100 << "%\n";
    EXPECT_GE(markerCount, 100);
    EXPECT_GE(foundShare, kMinFoundShare);
    EXPECT_EQ(wrongPattern, 0);
    EXPECT_LT(Median(cornerErrors), kCornerMedianTolerancePx);
    EXPECT_LT(Median(rotationErrors), kRotationMedianToleranceDeg);
    EXPECT_LT(Median(translationErrors), kTranslationMedianShare);
    EXPECT_EQ(slowContinuations, 0);
}

struct TurnCase
{
    double sidePx;
    double tiltDeg;
    double tiltAxisDeg;
    double x;
    double y;
};

void PrintTo(const TurnCase& c, std::ostream* os)
{
    *os << "side" << c.sidePx << "_tilt" << c.tiltDeg;
}

class QuarterTurns : public DetectionOnRenderedFrames, public testing::WithParamInterface<TurnCase>
{
};

TEST_P(QuarterTurns, EachTurnGivesTheMatchingDirAndItsTruePose)
{
    constexpr double kCornerPx = 1.5;
    constexpr double kTruePoseDeg = 2.0;
    const TurnCase c = GetParam();
    for (int quarter = 0; quarter < 4; ++quarter)
    {
        const SynthMarker marker =
            PlaceMarker(m_camera, &m_pictures[1], kWidthMm, c.sidePx, 25.0 + 90.0 * quarter,
                        c.tiltDeg, c.tiltAxisDeg, c.x, c.y);
        const SynthFrame frame = Render({marker}, 7 + quarter);
        trackingState().detection.ClearHistory();
        MarkerInfo* markers;
        const int count = Detect(frame, &markers);
        ASSERT_EQ(count, 1) << "quarter " << quarter;
        ASSERT_EQ(markers[0].id, 1);
        const SynthTruth& truth = frame.truths[0];
        EXPECT_NEAR(PairedVertex(markers[0], 0)[0], truth.idealCorners[0][0], kCornerPx);
        EXPECT_NEAR(PairedVertex(markers[0], 0)[1], truth.idealCorners[0][1], kCornerPx);

        double t[3][4];
        ASSERT_GE(estimateMarkerTransform(markers[0], kCenter, kWidthMm, t), 0.0);
        EXPECT_LT(rotationDifferenceDeg(t, truth.cameraFromMarker), kTruePoseDeg) << quarter;
    }
}

INSTANTIATE_TEST_SUITE_P(Poses, QuarterTurns,
                         testing::Values(TurnCase{110, 0, 0, 320, 240},
                                         TurnCase{70, 35, 60, 200, 150},
                                         TurnCase{50, 45, 200, 470, 330}));

TEST_F(DetectionOnRenderedFrames, EmptyFramesGiveNoMarkers)
{
    for (const unsigned char grey : {255, 0})
    {
        std::vector<unsigned char> frame(4 * 640 * 480, grey);
        MarkerInfo* markers;
        int count = -1;
        EXPECT_EQ(detectMarkers(frame.data(), 100, &markers, &count), 0);
        EXPECT_EQ(count, 0) << "grey " << int(grey);
    }
}

TEST_F(DetectionOnRenderedFrames, AFilledBlackSquareIsFoundButNotIdentified)
{
    std::vector<unsigned char> frame(4 * 640 * 480, 230);
    for (int y = 200; y < 240; ++y)
        for (int x = 300; x < 340; ++x)
            std::fill_n(&frame[4 * (y * 640 + x)], 3, 20);
    MarkerInfo* markers;
    int count = 0;
    ASSERT_EQ(detectMarkers(frame.data(), 120, &markers, &count), 0);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(markers[0].id, -1);
    EXPECT_EQ(markers[0].dir, 0);
    EXPECT_EQ(markers[0].cf, -1.0);
    EXPECT_EQ(markers[0].area, 1600);
}

TEST_F(DetectionOnRenderedFrames, AMissedMarkerIsReportedForTwoMoreFrames)
{
    const SynthMarker marker =
        PlaceMarker(m_camera, &m_pictures[2], kWidthMm, 90, 40, 20, 10, 300, 200);
    const SynthFrame seen = Render({marker}, 3);
    const SynthFrame empty = Render({}, 4);
    MarkerInfo* markers;
    ASSERT_EQ(Detect(seen, &markers), 1);
    const MarkerInfo first = markers[0];
    ASSERT_EQ(first.id, 2);
    for (int frame = 2; frame <= 3; ++frame)
    {
        ASSERT_EQ(Detect(empty, &markers), 1) << "frame " << frame;
        EXPECT_EQ(markers[0].id, first.id);
        EXPECT_EQ(markers[0].dir, first.dir);
        EXPECT_EQ(markers[0].pos[0], first.pos[0]);
        EXPECT_EQ(std::memcmp(markers[0].vertex, first.vertex, sizeof(first.vertex)), 0);
    }
    EXPECT_EQ(Detect(empty, &markers), 0);
}

TEST_F(DetectionOnRenderedFrames, AMarkerAmidTensOfThousandsOfSpecksIsFound)
{
    const SynthMarker marker =
        PlaceMarker(m_camera, &m_pictures[0], kWidthMm, 90, 0, 0, 0, 320, 240);
    SynthFrame frame = Render({marker}, 5);
    // A dark speck on every other row and column away from the marker's
    // paper: about 70000 regions, once more than the label table held.
    for (int y = 1; y < 479; y += 2)
        for (int x = 1; x < 639; x += 2)
            if (std::abs(x - 320) > 90 || std::abs(y - 240) > 90)
                std::fill_n(&frame.bgra[4 * (y * 640 + x)], 3, 0);
    MarkerInfo* markers;
    ASSERT_EQ(Detect(frame, &markers), 1);
    EXPECT_EQ(markers[0].id, 0);
}

TEST(Detection, WithoutACameraNothingIsDetected)
{
    trackingState().Reset();
    std::vector<unsigned char> frame(4 * 64 * 48, 255);
    MarkerInfo* markers;
    int count = -1;
    EXPECT_EQ(detectMarkers(frame.data(), 100, &markers, &count), -1);
    EXPECT_EQ(count, 0);
}
