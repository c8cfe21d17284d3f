#include "board_view_fixture.h"
#include "support/median.h"

#include "synth/board_views.h"

#include "calibration/board_corners.h"
#include "calibration/checkerboard_calibration.h"
#include "calibration/view_coverage.h"
#include "synth/frame_renderer.h"
#include "synth/synth_pose.h"
#include "tracking/auto_threshold.h"
#include "tracking/detection.h"
#include "tracking/pose.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
constexpr int kPictures = 15;
constexpr double kFocalShare = 0.01;
constexpr double kCentrePx = 3.0;
constexpr double kCornerDistortionPx = 0.5;
constexpr double kReprojectionPx = 0.3;
constexpr double kTranslationMedianShare = 0.01;
// The calibrated camera may place markers a little worse than the true one,
// not more than this share of the distance on top.
constexpr double kExtraTranslationShare = 0.002;
constexpr double kMarkerWidthMm = 80.0;

// Observed minus ideal at the frame's corner: what the lens does where it
// does most.
void CornerDistortion(const CameraParam& camera, double effect[2])
{
    idealToObserved(camera.distFactor, 0.0, 0.0, &effect[0], &effect[1]);
}

class Calibration : public testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        const CameraParam truth = WebcamLikeCamera();
        std::vector<BoardView> views;
        for (const BgraImage& picture : RenderBoardPictures(truth, kPictures))
        {
            BoardView view;
            ASSERT_EQ(FindBoardCorners(picture, TestBoard(), &view), BoardSearch::Found);
            views.push_back(view);
        }
        s_report = std::make_unique<CalibrationReport>();
        std::string error;
        ASSERT_TRUE(CalibrateCamera(TestBoard(), truth.xsize, truth.ysize, views, s_report.get(),
                                    &error))
            << error;
    }
    static void TearDownTestSuite() { s_report.reset(); }

    // Translation errors of markers rendered through the true camera and
    // found through `camera`.
    static std::vector<double> MarkerTranslationErrors(const CameraParam& camera)
    {
        const CameraParam truth = WebcamLikeCamera();
        trackingState().Reset();
        initCameraParam(camera);
        std::vector<double> errors;
        int frame = 0;
        for (double x : {-250.0, 0.0, 250.0})
            for (double y : {-120.0, 0.0, 120.0})
            {
                const double position[3] = {x, y, 700.0 + 40.0 * frame};
                SynthMarker marker;
                marker.widthMm = kMarkerWidthMm;
                markerPose(10.0 * frame, 25.0, 40.0 * frame, position, marker.cameraFromMarker);
                const BgraImage picture = RenderPicture(truth, {marker}, ++frame);
                trackingState().detection.ClearHistory();
                MarkerInfo* markers;
                int count = 0;
                detectMarkers(picture.pixels.data(),
                              automaticThreshold(picture.pixels.data(), picture.width,
                                                 picture.height),
                              &markers, &count);
                EXPECT_EQ(count, 1) << "marker at " << x << ", " << y;
                if (count != 1)
                    continue;
                const double centre[2] = {0.0, 0.0};
                double pose[3][4];
                // Whichever way the square is turned, its centre is where it is.
                EXPECT_GE(estimateMarkerTransform(markers[0], centre, kMarkerWidthMm, pose), 0.0);
                errors.push_back(translationErrorShare(pose, marker.cameraFromMarker));
            }
        trackingState().Reset();
        return errors;
    }

    static std::unique_ptr<CalibrationReport> s_report;
};

std::unique_ptr<CalibrationReport> Calibration::s_report;
} // namespace

TEST_F(Calibration, RecoversFocalLengthAndCentre)
{
    const CameraParam truth = WebcamLikeCamera();
    const CameraParam& found = s_report->camera;
    EXPECT_NEAR(found.mat[0][0], truth.mat[0][0], kFocalShare * truth.mat[0][0]);
    EXPECT_NEAR(found.mat[1][1], truth.mat[1][1], kFocalShare * truth.mat[1][1]);
    EXPECT_NEAR(found.mat[0][2], truth.mat[0][2], kCentrePx);
    EXPECT_NEAR(found.mat[1][2], truth.mat[1][2], kCentrePx);
    EXPECT_EQ(found.xsize, truth.xsize);
    EXPECT_EQ(found.ysize, truth.ysize);
}

TEST_F(Calibration, RecoversTheLensDistortionAtTheFrameCorner)
{
    double trueEffect[2], foundEffect[2];
    CornerDistortion(WebcamLikeCamera(), trueEffect);
    CornerDistortion(s_report->camera, foundEffect);
    EXPECT_LT(std::hypot(foundEffect[0] - trueEffect[0], foundEffect[1] - trueEffect[1]),
              kCornerDistortionPx);
}

TEST_F(Calibration, ReprojectsEveryPictureClosely)
{
    EXPECT_LT(s_report->modelErrorPx, kReprojectionPx);
    ASSERT_EQ(s_report->views.size(), static_cast<size_t>(kPictures));
    for (const ViewReport& view : s_report->views)
    {
        EXPECT_LT(view.modelErrorPx, kReprojectionPx);
        EXPECT_LT(view.openCvErrorPx, 1.0);
    }
    // Tilted views spread over the whole frame leave nothing to warn about.
    EXPECT_TRUE(s_report->warnings.empty()) << s_report->warnings.front();
}

TEST_F(Calibration, MarkerPosesAreAsGoodAsWithTheTrueCamera)
{
    const double withTruth = Median(MarkerTranslationErrors(WebcamLikeCamera()));
    const double withCalibration = Median(MarkerTranslationErrors(s_report->camera));
    EXPECT_LT(withCalibration, kTranslationMedianShare);
    EXPECT_LT(withCalibration, withTruth + kExtraTranslationShare);
}

TEST(CalibrationInput, UntiltedViewsInOnePlaceAreWarnedAbout)
{
    std::vector<BoardView> views(4);
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < TestBoard().CornerCount(); ++i)
            views[k].corners.push_back({500.0 + 20.0 * (i % 9) + k, 300.0 + 20.0 * (i / 9)});
    const std::vector<std::string> warnings =
        ViewSpreadWarnings(1280, 720, views, {2.0, 5.0, 20.0, 1.0});
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("(top left, top centre, top right, middle left, middle right, "
                               "bottom left, bottom centre, bottom right)"),
              std::string::npos)
        << warnings[0];
    EXPECT_NE(warnings[1].find("only 1 picture show the board tilted"), std::string::npos)
        << warnings[1];
}
