#include "formats/archive.h"
#include "project/matrix.h"
#include "project/placement.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
constexpr double kTolerance = 1e-12;

// Rotation about an arbitrary axis with a translation: a typical pose.
CMatrix RigidPose()
{
    const double transform[3][4] = {{0.36, 0.48, -0.8, 12.5},
                                    {-0.8, 0.6, 0.0, -7.25},
                                    {0.48, 0.64, 0.6, 410.0}};
    return CMatrix::FromTransform(transform);
}

void ExpectNear(const CMatrix& a, const CMatrix& b, double tolerance)
{
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(a.GetData()[k], b.GetData()[k], tolerance) << "element " << k;
}
} // namespace

TEST(Matrix, ProductIsColumnMajorAsOpenGlComposes)
{
    // Translating then scaling: (T * S) applied to (1, 0, 0) is T(S(p)).
    CMatrix scale;
    scale.GetData()[0] = 2.0;
    const CMatrix product = TranslationMatrix(5, 0, 0) * scale;
    EXPECT_DOUBLE_EQ(product.GetData()[0], 2.0);
    EXPECT_DOUBLE_EQ(product.GetData()[12], 5.0);
    const CMatrix reversed = scale * TranslationMatrix(5, 0, 0);
    EXPECT_DOUBLE_EQ(reversed.GetData()[12], 10.0);
}

TEST(Matrix, InverseOfTranslationScaleAndRigidPose)
{
    ExpectNear(TranslationMatrix(1, -2, 3).Inverse(), TranslationMatrix(-1, 2, -3), kTolerance);

    ExpectNear(ScaleMatrix(4.0).Inverse(), ScaleMatrix(0.25), kTolerance);
    const CMatrix pose = RigidPose();
    ExpectNear(pose * pose.Inverse(), CMatrix(), kTolerance);
    ExpectNear(pose.Inverse() * pose, CMatrix(), kTolerance);
}

TEST(Matrix, StoresSixteenDoublesAndReadsThemBackBitForBit)
{
    CMatrix pose = RigidPose();
    pose.GetData()[3] = -0.0;
    pose.GetData()[7] = 1.0 / 3.0;
    CArchive out;
    pose.Serialize(out);
    ASSERT_EQ(out.Bytes().size(), 128u);
    double first;
    std::memcpy(&first, out.Bytes().data(), 8);
    EXPECT_EQ(first, 0.36);

    CArchive in(out.Bytes());
    CMatrix loaded;
    loaded.Serialize(in);
    EXPECT_EQ(std::memcmp(loaded.GetData(), pose.GetData(), 128), 0);
}
