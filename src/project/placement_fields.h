#pragma once
// A model's matrix read as the navigator's typed fields show it: a position,
// three turns in degrees and one uniform scale, and the matrix built back
// from them. Pure arithmetic in double precision.
//
// The turns are about the tracker's fixed axes, first X, then Y, then Z:
// matrix = T(position) * Rz(z) * Ry(y) * Rx(x) * S(scale). The Y turn is kept
// within -90..90 degrees; at +-90 the X and Z turns act about the same line,
// and the Z turn is then given as 0.

#include "project/matrix.h"

struct PlacementFields
{
    double position[3] = {0.0, 0.0, 0.0};
    double rotationDeg[3] = {0.0, 0.0, 0.0}; // about X, Y, Z, applied in that order
    double scale = 1.0;
};

// The columns of the 3 x 3 block may differ from orthogonal and equal
// lengths by this fraction of the squared scale and still count as plain:
// far above the dust of chained steps, far below any shear a person made.
constexpr double kPlainTolerance = 1e-6;

// False, leaving `fields` alone, when `matrix` is not a translation, a
// rotation and a positive uniform scale: a shear, scales that differ per
// axis, a mirror, a projective bottom row, a zero scale or a non-finite
// element.
bool DecomposePlacement(const CMatrix& matrix, PlacementFields* fields);

CMatrix ComposePlacement(const PlacementFields& fields);
