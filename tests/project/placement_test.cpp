// Placing a model with the navigator's steps: what each press does to the
// matrix, whatever the model's current placement.
#include "project/placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace
{
constexpr double kTolerance = 1e-9;
constexpr int kPlanta = 0;
constexpr int kPerfil = 1;
constexpr int kAlzado = 2;

void ExpectNear(const CMatrix& actual, const CMatrix& expected)
{
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(actual.GetData()[k], expected.GetData()[k], kTolerance) << "element " << k;
}

CMatrix Press(CMatrix matrix, PlacementStep step, int tab, int times = 1)
{
    for (int k = 0; k < times; ++k)
        matrix = ApplyPlacementStep(matrix, step, tab);
    return matrix;
}

// A placement that is turned, scaled and moved: steps in the tracker's
// frame must not care.
CMatrix TurnedModel()
{
    return TranslationMatrix(5, -2, 7) * RotationMatrix(30, 0) * RotationMatrix(40, 2) *
           ScaleMatrix(2.0);
}

struct MoveCase
{
    const char* name;
    PlacementStep step;
    int tab;
    double dx, dy, dz;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class PlacementMove : public ::testing::TestWithParam<MoveCase>
{
};
} // namespace

TEST_P(PlacementMove, MovesOneUnitAlongTheViewsScreenAxisInTheTrackersFrame)
{
    const MoveCase& c = GetParam();
    const CMatrix before = TurnedModel();
    ExpectNear(Press(before, c.step, c.tab, 3),
               TranslationMatrix(3 * c.dx, 3 * c.dy, 3 * c.dz) * before);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PlacementMove,
    ::testing::Values(MoveCase{"UpInAlzadoRaisesZ", PlacementStep::Up, kAlzado, 0, 0, 1},
                      MoveCase{"UpInPlantaIsY", PlacementStep::Up, kPlanta, 0, 1, 0},
                      MoveCase{"DownInPerfilLowersZ", PlacementStep::Down, kPerfil, 0, 0, -1},
                      MoveCase{"LeftInPerfilIsMinusY", PlacementStep::Left, kPerfil, 0, -1, 0},
                      MoveCase{"RightInAlzadoIsX", PlacementStep::Right, kAlzado, 1, 0, 0},
                      MoveCase{"LeftInPlantaIsMinusX", PlacementStep::Left, kPlanta, -1, 0, 0}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST(Placement, CounterClockwiseThenClockwiseTurnsAboutTheTrackerThenBackAboutTheModel)
{
    for (int tab : {kPlanta, kPerfil, kAlzado})
    {
        const CMatrix identity;
        ExpectNear(Press(Press(identity, PlacementStep::RotateCounterClockwise, tab),
                         PlacementStep::RotateClockwise, tab),
                   identity);

        // Only moved, off the axis: the position turns by +1 degree about the
        // tracker's axis, the orientation comes back.
        const CMatrix moved = TranslationMatrix(10, 20, 30);
        const CMatrix pair = Press(Press(moved, PlacementStep::RotateCounterClockwise, tab),
                                   PlacementStep::RotateClockwise, tab);
        const int axis = tab == kPlanta ? 2 : tab == kPerfil ? 0 : 1;
        CMatrix expected = RotationMatrix(1.0, axis) * moved;
        for (int k = 0; k < 12; ++k)
            expected.GetData()[k] = CMatrix().GetData()[k];
        ExpectNear(pair, expected);
    }
}

TEST(Placement, MoreThenLessLeavesNinetyNineHundredthsAboutTheTrackersOrigin)
{
    const CMatrix moved = TranslationMatrix(10, 0, 0);
    const CMatrix result =
        Press(Press(moved, PlacementStep::ScaleUp, kPlanta), PlacementStep::ScaleDown, kPlanta);
    ExpectNear(result, ScaleMatrix(0.99) * moved);
    EXPECT_NEAR(result.GetData()[12], 9.9, kTolerance);
}

TEST(Placement, ATabOutsideTheThreeViewsChangesNothing)
{
    const CMatrix before = TurnedModel();
    for (int tab : {-1, 3})
        ExpectNear(Press(before, PlacementStep::Up, tab), before);
}

TEST(Placement, ChosenStepSizesMoveAndTurnByThemAndLeaveScalingAlone)
{
    const CMatrix before = TurnedModel();
    const StepSizes sizes{0.1, 15.0};
    ExpectNear(ApplyPlacementStep(before, PlacementStep::Up, kAlzado, sizes),
               TranslationMatrix(0, 0, 0.1) * before);
    ExpectNear(ApplyPlacementStep(before, PlacementStep::RotateCounterClockwise, kPlanta, sizes),
               RotationMatrix(15.0, 2) * before);
    ExpectNear(ApplyPlacementStep(before, PlacementStep::ScaleUp, kPlanta, sizes),
               ScaleMatrix(kGrow) * before);
}
