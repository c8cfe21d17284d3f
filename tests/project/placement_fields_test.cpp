// A model's matrix read as position, turns and scale, and built back: what
// the navigator's typed fields show and what typing into them writes.
#include "project/placement.h"
#include "project/placement_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr double kTolerance = 1e-9;

PlacementFields Fields(double x, double y, double z, double ax, double ay, double az, double s)
{
    PlacementFields fields;
    fields.position[0] = x;
    fields.position[1] = y;
    fields.position[2] = z;
    fields.rotationDeg[0] = ax;
    fields.rotationDeg[1] = ay;
    fields.rotationDeg[2] = az;
    fields.scale = s;
    return fields;
}

void ExpectNear(const CMatrix& actual, const CMatrix& expected)
{
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(actual.GetData()[k], expected.GetData()[k], kTolerance) << "element " << k;
}
} // namespace

TEST(PlacementFields, PlainPlacementsReadBackAsTheyWereBuilt)
{
    struct Case
    {
        const char* name;
        PlacementFields fields;
    };
    const Case cases[] = {
        {"identity", Fields(0, 0, 0, 0, 0, 0, 1)},
        {"every part", Fields(5, -2, 7, 30, -40, 125, 2.5)},
        {"near the half turns", Fields(-1, 0, 3, 179.5, 89.0, -179.5, 0.01)},
        {"large and small", Fields(1e5, -1e5, 0.001, -90, 10, 90, 1000)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        PlacementFields read;
        ASSERT_TRUE(DecomposePlacement(ComposePlacement(c.fields), &read));
        for (int k = 0; k < 3; ++k)
        {
            EXPECT_NEAR(read.position[k], c.fields.position[k], kTolerance);
            EXPECT_NEAR(read.rotationDeg[k], c.fields.rotationDeg[k], 1e-7);
        }
        EXPECT_NEAR(read.scale, c.fields.scale, kTolerance * c.fields.scale);
    }
}

// The turns go X first, then Y, then Z, all about the tracker's axes.
TEST(PlacementFields, TurnsComposeInTheOrderTheFieldsSay)
{
    ExpectNear(ComposePlacement(Fields(1, 2, 3, 10, 20, 30, 2)),
               TranslationMatrix(1, 2, 3) * RotationMatrix(30, 2) * RotationMatrix(20, 1) *
                   RotationMatrix(10, 0) * ScaleMatrix(2));
}

// With the Y turn at a quarter, X and Z turn about one line: the fields give
// all of it to X, and the matrix they build is the one they were read from.
TEST(PlacementFields, AQuarterTurnAboutYReadsBackAsTheSameMatrix)
{
    for (double y : {90.0, -90.0})
    {
        const CMatrix matrix = ComposePlacement(Fields(4, 5, 6, 30, y, 20, 3));
        PlacementFields read;
        ASSERT_TRUE(DecomposePlacement(matrix, &read));
        EXPECT_NEAR(read.rotationDeg[1], y, 1e-7);
        EXPECT_EQ(read.rotationDeg[2], 0.0);
        EXPECT_NEAR(read.rotationDeg[0], y > 0 ? 10.0 : 50.0, 1e-7);
        ExpectNear(ComposePlacement(read), matrix);
    }
}

TEST(PlacementFields, WhatIsNotATurnMoveAndUniformScaleIsRefused)
{
    auto with = [](int element, double value)
    {
        CMatrix matrix = ComposePlacement(Fields(1, 2, 3, 10, 20, 30, 2));
        matrix.GetData()[element] = value;
        return matrix;
    };
    CMatrix stretched = ScaleMatrix(2);
    stretched.GetData()[10] = 3;
    struct Case
    {
        const char* name;
        CMatrix matrix;
    };
    const Case cases[] = {
        {"shear", TranslationMatrix(1, 0, 0) * with(4, 0.5)},
        {"scales per axis", stretched},
        {"mirror", ScaleMatrix(-1)},
        {"zero scale", ScaleMatrix(0)},
        {"projective row", with(3, 0.1)},
        {"not a number", with(13, std::numeric_limits<double>::quiet_NaN())},
        {"infinite", with(0, std::numeric_limits<double>::infinity())},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        PlacementFields fields = Fields(7, 7, 7, 7, 7, 7, 7);
        EXPECT_FALSE(DecomposePlacement(c.matrix, &fields));
        EXPECT_EQ(fields.position[0], 7.0);
    }
}
