#include "synth_fixture.h"

#include "synth/frame_renderer.h"
#include "synth/synth_pose.h"
#include "tracking/pose.h"
#include "tracking/pose_internal.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ostream>

namespace
{
constexpr double kWidthMm = 80.0;
constexpr double kAngleRoundTrip = 1e-9;
constexpr double kExactRotationDeg = 0.001; // from exact corners the polish converges
constexpr double kExactTranslationShare = 1e-5;
constexpr double kGoodEnoughError = 1.0;

// The record detection would give for exact corners: line i through corners
// i and i + 1, and `dir` such that corner 0 of the marker sits at vertex
// (4 - dir) mod 4.
MarkerInfo RecordFromCorners(const double corners[4][2], int dir)
{
    MarkerInfo marker;
    marker.id = 0;
    marker.dir = dir;
    for (int k = 0; k < 4; ++k)
    {
        const int v = (4 + k - dir) % 4;
        marker.vertex[v][0] = corners[k][0];
        marker.vertex[v][1] = corners[k][1];
    }
    for (int i = 0; i < 4; ++i)
    {
        const double* a = marker.vertex[i];
        const double* b = marker.vertex[(i + 1) % 4];
        marker.line[i][0] = b[1] - a[1];
        marker.line[i][1] = a[0] - b[0];
        marker.line[i][2] = b[0] * a[1] - a[0] * b[1];
    }
    return marker;
}

class Pose : public testing::Test
{
  protected:
    void SetUp() override
    {
        trackingState().Reset();
        m_camera = TestCamera();
        initCameraParam(m_camera);
    }
    void TearDown() override { trackingState().Reset(); }

    SynthTruth TruthOf(double turnDeg, double tiltDeg, double tiltAxisDeg, double x, double y,
                       double sidePx)
    {
        const SynthMarker marker =
            PlaceMarker(m_camera, nullptr, kWidthMm, sidePx, turnDeg, tiltDeg, tiltAxisDeg, x, y);
        return CFrameRenderer(m_camera, SynthOptions()).Truth(marker);
    }

    CameraParam m_camera;
    const double m_center[2] = {0.0, 0.0};
};
} // namespace

TEST(RotationAngles, RoundTripReproducesRotations)
{
    const double angles[][3] = {
        {0.3, 0.7, -1.2}, {-2.0, 1.5, 3.0}, {1.0, 3.1, 0.2}, {0.0, 0.4, -0.4}};
    for (const auto& a : angles)
    {
        double r[3][3], back[3][3];
        anglesToRotation(a[0], a[1], a[2], r);
        double ra, rb, rc;
        std::memcpy(back, r, sizeof(r));
        rotationToAngles(back, &ra, &rb, &rc);
        anglesToRotation(ra, rb, rc, back);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_NEAR(back[i][j], r[i][j], kAngleRoundTrip);
    }
}

TEST(RotationAngles, FacingAlongZGivesOnlyTheTurn)
{
    const double turn = 0.8;
    double r[3][3] = {{std::cos(turn), -std::sin(turn), 0},
                      {std::sin(turn), std::cos(turn), 0},
                      {0, 0, 1.0000000001}};
    double a, b, c;
    rotationToAngles(r, &a, &b, &c);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(b, 0.0);
    EXPECT_NEAR(c, turn, kAngleRoundTrip);
    EXPECT_EQ(r[2][2], 1.0) << "R22 is clamped in the matrix itself";
}

TEST(Orthogonalize, TurnsEachVectorByHalfTheMissWithinTheirPlane)
{
    const double miss = 0.3; // radians short of a right angle
    double d1[3] = {1, 0, 0};
    double d2[3] = {std::cos(M_PI / 2 - miss), std::sin(M_PI / 2 - miss), 0};
    ASSERT_EQ(orthogonalizeDirections(d1, d2), 0);
    EXPECT_NEAR(d1[0] * d2[0] + d1[1] * d2[1] + d1[2] * d2[2], 0.0, 1e-9);
    EXPECT_NEAR(d1[2], 0.0, 1e-12);
    EXPECT_NEAR(d2[2], 0.0, 1e-12);
    EXPECT_NEAR(std::atan2(d1[1], d1[0]), -miss / 2, 1e-9);
    EXPECT_NEAR(std::hypot(d1[0], d1[1]), 1.0, 1e-12);

    double p1[3] = {0, 0, 1};
    double p2[3] = {0, 0, -1};
    EXPECT_EQ(orthogonalizeDirections(p1, p2), -1) << "parallel vectors";
}

TEST(CheckDirection, PointsTheAxisFromStartToEnd)
{
    const CameraParam camera = TestCamera();
    const double start[2] = {300, 200};
    const double end[2] = {340, 200};
    double right[3] = {1, 0, 0};
    ASSERT_EQ(checkDirection(right, start, end, camera.mat), 0);
    EXPECT_EQ(right[0], 1.0);
    double left[3] = {-1, 0, 0};
    ASSERT_EQ(checkDirection(left, start, end, camera.mat), 0);
    EXPECT_EQ(left[0], 1.0);

    const double singular[3][4] = {};
    EXPECT_EQ(checkDirection(right, start, end, singular), -1);
}

struct PoseCase
{
    double turnDeg;
    double tiltDeg;
    double tiltAxisDeg;
    double x;
    double y;
    double sidePx;
};

void PrintTo(const PoseCase& c, std::ostream* os)
{
    *os << "turn" << c.turnDeg << "_tilt" << c.tiltDeg << "_side" << c.sidePx;
}

class PoseFromExactCorners : public Pose, public testing::WithParamInterface<PoseCase>
{
};

TEST_P(PoseFromExactCorners, EveryOrientationGivesTheTruePose)
{
    const PoseCase c = GetParam();
    const SynthTruth truth = TruthOf(c.turnDeg, c.tiltDeg, c.tiltAxisDeg, c.x, c.y, c.sidePx);
    for (int dir = 0; dir < 4; ++dir)
    {
        double t[3][4];
        const double error = estimateMarkerTransform(RecordFromCorners(truth.idealCorners, dir),
                                                     m_center, kWidthMm, t);
        ASSERT_GE(error, 0.0) << "dir " << dir;
        EXPECT_LT(error, kGoodEnoughError);
        EXPECT_LT(rotationDifferenceDeg(t, truth.cameraFromMarker), kExactRotationDeg);
        EXPECT_LT(translationErrorShare(t, truth.cameraFromMarker), kExactTranslationShare);
    }
}

// Near the frame's corners the lens distortion is largest: the pose must not
// depend on it.
INSTANTIATE_TEST_SUITE_P(Poses, PoseFromExactCorners,
                         testing::Values(PoseCase{0, 0, 0, 320, 240, 100},
                                         PoseCase{30, 40, 10, 300, 250, 120},
                                         PoseCase{200, 45, 120, 90, 70, 60},
                                         PoseCase{290, 25, 250, 560, 420, 45},
                                         PoseCase{135, 10, 300, 520, 90, 150}));

TEST_F(Pose, ContinuingFromTheTruePoseIsGoodAtOnce)
{
    const SynthTruth truth = TruthOf(75, 35, 200, 250, 300, 70);
    const MarkerInfo marker = RecordFromCorners(truth.idealCorners, 2);
    double t[3][4];
    std::memcpy(t, truth.cameraFromMarker, sizeof(t));
    // Previous and out are the same array, as the live run passes them.
    const double error = estimateMarkerTransformCont(marker, t, m_center, kWidthMm, t);
    ASSERT_GE(error, 0.0);
    EXPECT_LT(error, kGoodEnoughError);
    EXPECT_LT(rotationDifferenceDeg(t, truth.cameraFromMarker), kExactRotationDeg);

    // From a pose that is far off, it falls back to a fresh estimate.
    double wrong[3][4];
    std::memcpy(wrong, truth.cameraFromMarker, sizeof(wrong));
    for (int r = 0; r < 3; ++r)
        std::swap(wrong[r][0], wrong[r][1]);
    for (int r = 0; r < 3; ++r)
        wrong[r][2] = -wrong[r][2];
    const double recovered = estimateMarkerTransformCont(marker, wrong, m_center, kWidthMm, t);
    ASSERT_GE(recovered, 0.0);
    EXPECT_LT(rotationDifferenceDeg(t, truth.cameraFromMarker), kExactRotationDeg);
}

// A record without lines, and a good one seen by a camera whose matrix is all
// zero: neither is estimated, and the transform is left alone.
TEST_F(Pose, NonSenseIsNotEstimatedAndTheTransformIsLeftAlone)
{
    double t[3][4];
    std::fill(&t[0][0], &t[0][0] + 12, 7.0);
    MarkerInfo degenerate; // all lines zero
    degenerate.dir = 0;
    EXPECT_LT(estimateMarkerTransform(degenerate, m_center, kWidthMm, t), 0.0);
    EXPECT_LT(estimateMarkerTransformCont(degenerate, t, m_center, kWidthMm, t), 0.0);

    const MarkerInfo good = RecordFromCorners(TruthOf(0, 20, 0, 320, 240, 80).idealCorners, 0);
    CameraParam flat = m_camera;
    std::fill(&flat.mat[0][0], &flat.mat[0][0] + 12, 0.0);
    initCameraParam(flat);
    EXPECT_LT(estimateMarkerTransform(good, m_center, kWidthMm, t), 0.0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(t[r][c], 7.0);
}

TEST_F(Pose, AnUnsolvableTranslationFailsTheRefinement)
{
    // All four image points on one spot: the normal equations are singular.
    const double rotation0[3][3] = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    double rotation[3][3];
    std::memcpy(rotation, rotation0, sizeof(rotation));
    const double image[4][2] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
    const double marker[4][2] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
    CameraParam zero = m_camera;
    zero.mat[0][0] = zero.mat[1][1] = 0.0;
    zero.mat[0][2] = zero.mat[1][2] = 0.0;
    double t[3][4];
    EXPECT_LT(refineTransform(rotation, image, marker, zero, t), 0.0);
}
