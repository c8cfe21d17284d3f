#include "board_view_fixture.h"

#include "calibration/board_corners.h"
#include "calibration/board_picture.h"
#include "synth/board_views.h"
#include "synth/frame_renderer.h"
#include "synth/synth_pose.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace
{
constexpr double kCornerPx = 0.25;

// The test board facing the camera, its centre at `position` (mm).
SynthMarker FacingBoard(double x, double y, double z)
{
    const BoardSpec board = TestBoard();
    SynthMarker marker;
    marker.widthMm = board.squareMm;
    marker.marginMm = board.squareMm;
    marker.boardColumns = board.columns + 1;
    marker.boardRows = board.rows + 1;
    const double position[3] = {x, y, z};
    markerPose(0.0, 0.0, 0.0, position, marker.cameraFromMarker);
    return marker;
}

struct PictureCase
{
    const char* name;
    double x, y, z; // board centre, mm
    double blurPx;
    BoardSearch expected;
};

void PrintTo(const PictureCase& c, std::ostream* os)
{
    *os << c.name;
}

class BoardPictures : public testing::TestWithParam<PictureCase>
{
};
} // namespace

TEST_P(BoardPictures, AreSortedByWhatTheySee)
{
    const PictureCase c = GetParam();
    const CameraParam camera = WebcamLikeCamera();
    std::vector<SynthMarker> markers;
    if (c.z > 0.0)
        markers.push_back(FacingBoard(c.x, c.y, c.z));
    BgraImage picture = RenderPicture(camera, markers, 7);
    if (c.blurPx > 0.0)
    {
        SynthOptions options = WebcamOptions(7);
        options.blurSigmaPx = c.blurPx;
        SynthBackground background;
        background.grey = 120;
        SynthFrame frame = CFrameRenderer(camera, options).Render(markers, background);
        picture.pixels = frame.bgra;
    }
    BoardView view;
    EXPECT_EQ(FindBoardCorners(picture, TestBoard(), &view), c.expected);
    EXPECT_EQ(view.corners.size(), c.expected == BoardSearch::Found
                                       ? static_cast<size_t>(TestBoard().CornerCount())
                                       : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoardPictures,
    testing::Values(PictureCase{"Whole", 0, 0, 800, 0, BoardSearch::Found},
                    PictureCase{"NoBoard", 0, 0, 0, 0, BoardSearch::NotFound},
                    PictureCase{"HalfOutside", 450, 0, 800, 0, BoardSearch::NotFound},
                    PictureCase{"Blurred", 0, 0, 800, 12, BoardSearch::NotFound},
                    PictureCase{"FarAway", 0, 0, 1100, 0, BoardSearch::TooSmall}),
    [](const testing::TestParamInfo<PictureCase>& info) { return info.param.name; });

TEST(BoardCorners, AreFoundToAFractionOfAPixel)
{
    const CameraParam camera = WebcamLikeCamera();
    const BoardSpec board = TestBoard();
    const SynthMarker marker =
        CalibrationBoardViews(camera, board.columns, board.rows, board.squareMm, 3)[2];
    BoardView view;
    ASSERT_EQ(FindBoardCorners(RenderPicture(camera, {marker}, 3), board, &view),
              BoardSearch::Found);
    // Every found corner lies on a true one, whichever corner the finder
    // starts from.
    const double half[2] = {0.5 * board.columns * board.squareMm - 0.5 * board.squareMm,
                            0.5 * board.rows * board.squareMm - 0.5 * board.squareMm};
    const CFrameRenderer renderer(camera, SynthOptions());
    for (const ImagePoint& corner : view.corners)
    {
        double nearest = 1e9;
        for (int i = 0; i < board.CornerCount(); ++i)
        {
            SynthMarker point = marker;
            point.boardColumns = 0;
            point.widthMm = 0.0;
            // Move the marker's origin onto board corner i.
            const double x = (i % board.columns) * board.squareMm - half[0];
            const double y = half[1] - (i / board.columns) * board.squareMm;
            for (int r = 0; r < 3; ++r)
                point.cameraFromMarker[r][3] +=
                    marker.cameraFromMarker[r][0] * x + marker.cameraFromMarker[r][1] * y;
            const SynthTruth truth = renderer.Truth(point);
            nearest = std::min(nearest, std::hypot(truth.observedCorners[0][0] - corner.x,
                                                   truth.observedCorners[0][1] - corner.y));
        }
        EXPECT_LT(nearest, kCornerPx);
    }
}

TEST(BoardPicture, PrintsABoardTheFinderFinds)
{
    const BgraImage picture = DrawBoardPicture(TestBoard(), 40);
    ASSERT_EQ(picture.width, (9 + 3) * 40);
    ASSERT_EQ(picture.height, (6 + 4) * 40);
    BoardView view;
    EXPECT_EQ(FindBoardCorners(picture, TestBoard(), &view), BoardSearch::Found);
    // The first square is black, the text below holds ink.
    EXPECT_EQ(picture.Pixel(60, 60)[0], 0);
    EXPECT_EQ(picture.Pixel(20, 20)[0], 255);
    int ink = 0;
    for (int y = 8 * 40; y < 9 * 40; ++y)
        for (int x = 0; x < picture.width; ++x)
            ink += picture.Pixel(x, y)[0] < 128;
    EXPECT_GT(ink, 100);
    EXPECT_EQ(DrawBoardPicture(TestBoard(), 5000).width, 0);
}
