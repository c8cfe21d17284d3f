#include "project/placement_fields.h"

#include "project/placement.h"

#include <cmath>

namespace
{
// Below this cosine of the Y turn the X and Z turns cannot be told apart
// from the matrix's rounding; all of the turn is given to X.
constexpr double kGimbalCosine = 1e-9;

double Degrees(double radians)
{
    // Adding zero turns a -0 into 0, which the fields would show as "-0".
    return radians * 180.0 / M_PI + 0.0;
}
} // namespace

bool DecomposePlacement(const CMatrix& matrix, PlacementFields* fields)
{
    const double* m = matrix.GetData();
    for (int k = 0; k < 16; ++k)
        if (!std::isfinite(m[k]))
            return false;
    if (std::abs(m[3]) > kPlainTolerance || std::abs(m[7]) > kPlainTolerance ||
        std::abs(m[11]) > kPlainTolerance || std::abs(m[15] - 1.0) > kPlainTolerance)
        return false;

    // Element (row i, column j) of the 3 x 3 block is m[4 * j + i].
    auto dot = [m](int a, int b)
    { return m[4 * a] * m[4 * b] + m[4 * a + 1] * m[4 * b + 1] + m[4 * a + 2] * m[4 * b + 2]; };
    const double scaleSquared = (dot(0, 0) + dot(1, 1) + dot(2, 2)) / 3.0;
    if (!(scaleSquared > 0.0) || !std::isfinite(scaleSquared))
        return false;
    for (int a = 0; a < 3; ++a)
        for (int b = a; b < 3; ++b)
            if (std::abs(dot(a, b) - (a == b ? scaleSquared : 0.0)) >
                kPlainTolerance * scaleSquared)
                return false;
    const double determinant = m[0] * (m[5] * m[10] - m[9] * m[6]) -
                               m[4] * (m[1] * m[10] - m[9] * m[2]) +
                               m[8] * (m[1] * m[6] - m[5] * m[2]);
    if (determinant <= 0.0)
        return false;

    const double scale = std::sqrt(scaleSquared);
    auto r = [m, scale](int row, int column) { return m[4 * column + row] / scale; };
    // Rz * Ry * Rx has -sin(y) in row 2, column 0, and cos(y) times the
    // X turn's and the Z turn's cosine and sine around it.
    const double cosY = std::hypot(r(0, 0), r(1, 0));
    double x = 0.0;
    double z = 0.0;
    if (cosY < kGimbalCosine)
        x = std::atan2(-r(1, 2), r(1, 1));
    else
    {
        x = std::atan2(r(2, 1), r(2, 2));
        z = std::atan2(r(1, 0), r(0, 0));
    }
    const double y = std::atan2(-r(2, 0), cosY);

    for (int k = 0; k < 3; ++k)
        fields->position[k] = m[12 + k];
    fields->rotationDeg[0] = Degrees(x);
    fields->rotationDeg[1] = Degrees(y);
    fields->rotationDeg[2] = Degrees(z);
    fields->scale = scale;
    return true;
}

CMatrix ComposePlacement(const PlacementFields& fields)
{
    return TranslationMatrix(fields.position[0], fields.position[1], fields.position[2]) *
           RotationMatrix(fields.rotationDeg[2], 2) * RotationMatrix(fields.rotationDeg[1], 1) *
           RotationMatrix(fields.rotationDeg[0], 0) * ScaleMatrix(fields.scale);
}
