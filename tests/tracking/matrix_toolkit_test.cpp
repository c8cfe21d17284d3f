#include "tracking/matrix_toolkit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
constexpr double kTolerance = 1e-9;

struct MatrixDeleter
{
    void operator()(Matrix* m) const { matrixFree(m); }
};
using MatrixPtr = std::unique_ptr<Matrix, MatrixDeleter>;

MatrixPtr MakeMatrix(int rows, int cols, std::initializer_list<double> values)
{
    MatrixPtr matrix(matrixAlloc(rows, cols));
    int k = 0;
    for (double value : values)
        matrix->m[k++] = value;
    return matrix;
}
} // namespace

TEST(MatrixToolkit, InverseTimesMatrixIsIdentityEvenWhenPivotingIsNeeded)
{
    // A zero on the diagonal forces a row swap, which must be undone.
    const std::initializer_list<double> values = {0, 2, 1, 1, 0, 3, 4, 1, 0};
    MatrixPtr original = MakeMatrix(3, 3, values);
    MatrixPtr inverse = MakeMatrix(3, 3, values);
    ASSERT_EQ(matrixSelfInv(inverse.get()), 0);
    MatrixPtr product(matrixAlloc(3, 3));
    ASSERT_EQ(matrixMul(product.get(), original.get(), inverse.get()), 0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(product->m[r * 3 + c], r == c ? 1.0 : 0.0, kTolerance);
}

TEST(MatrixToolkit, SingularMatricesTinyPivotsAndMismatchedShapesAreRefused)
{
    MatrixPtr singular = MakeMatrix(2, 2, {1, 2, 2, 4});
    EXPECT_EQ(matrixSelfInv(singular.get()), -1);
    MatrixPtr tiny = MakeMatrix(1, 1, {1e-11});
    EXPECT_EQ(matrixSelfInv(tiny.get()), -1);
    MatrixPtr one = MakeMatrix(1, 1, {4});
    ASSERT_EQ(matrixSelfInv(one.get()), 0);
    EXPECT_DOUBLE_EQ(one->m[0], 0.25);

    // The destination fits, but a 2 x 3 matrix cannot multiply another.
    MatrixPtr a(matrixAlloc(2, 3));
    MatrixPtr dest(matrixAlloc(2, 3));
    EXPECT_EQ(matrixMul(dest.get(), a.get(), a.get()), -1);
    EXPECT_EQ(matrixAlloc(0, 3), nullptr);
}

TEST(MatrixToolkit, PrincipalAxisOfPointsOnALine)
{
    // Points along direction (3, 4) with a little spread across it.
    MatrixPtr points = MakeMatrix(4, 2, {0, 0, 3, 4, 6, 8, 3.08, 3.94});
    MatrixPtr vectors(matrixAlloc(2, 2));
    std::unique_ptr<Vector, int (*)(Vector*)> values(vectorAlloc(2), vectorFree);
    std::unique_ptr<Vector, int (*)(Vector*)> mean(vectorAlloc(2), vectorFree);
    ASSERT_EQ(matrixPCA(points.get(), vectors.get(), values.get(), mean.get()), 0);
    EXPECT_NEAR(std::fabs(vectors->m[0] * 0.6 + vectors->m[1] * 0.8), 1.0, 1e-3);
    EXPECT_NEAR(values->v[0] + values->v[1], 1.0, kTolerance);
    EXPECT_GT(values->v[0], values->v[1]);
    EXPECT_NEAR(mean->v[0], 3.02, kTolerance);

    MatrixPtr single = MakeMatrix(1, 2, {1, 1});
    EXPECT_EQ(matrixPCA(single.get(), vectors.get(), values.get(), mean.get()), -1);
}
