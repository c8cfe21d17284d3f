#pragma once
// How the editor places a model on its tracker: moves, turns and scalings
// along the axes of one orthographic view, as the navigator's buttons and a
// mouse drag apply them. Computed directly in double precision.

#include "models/mesh_pose.h"
#include "project/matrix.h"

// Camera indices as the editor lays them out (column x 2 + row).
enum EditorView
{
    kFrontView = 0, // "Alzado": screen right +X, up +Z
    kTopView = 1,   // "Planta": screen right +X, up +Y
    kSideView = 2,  // "Perfil": screen right +Y, up +Z
};

enum class PlacementStep
{
    Up,
    Down,
    Left,
    Right,
    RotateCounterClockwise, // about the tracker's axis, through its origin
    RotateClockwise,        // about the model's own axis, through its origin
    ScaleDown,
    ScaleUp,
};

// The navigator's view tabs: "Planta", "Perfil", "Alzado".
constexpr int kPlacementTabs = 3;
EditorView ViewOfTab(int tab);

// The world directions a view shows to the right and upwards.
struct ViewAxes
{
    double right[3];
    double up[3];
};
ViewAxes AxesOfView(EditorView view);

constexpr double kStepUnits = 1.0;
constexpr double kStepDeg = 1.0;
constexpr double kShrink = 0.9;
constexpr double kGrow = 1.1;

// How far one press moves (in the tracker's units) and turns (in degrees);
// the person chooses them in the navigator, the scale steps stay fixed.
struct StepSizes
{
    double units = kStepUnits;
    double deg = kStepDeg;
};

// One button press on `matrix` with the view of `tab` (0 "Planta", 1
// "Perfil", 2 "Alzado"); any other tab leaves the matrix as it is.
CMatrix ApplyPlacementStep(const CMatrix& matrix, PlacementStep step, int tab,
                           const StepSizes& sizes = StepSizes());

// `matrix` moved by (right, up) world units in the plane of `view`.
CMatrix TranslateInView(const CMatrix& matrix, EditorView view, double right, double up);

CMatrix TranslationMatrix(double x, double y, double z);
// Right-handed rotation about the x (0), y (1) or z (2) axis.
CMatrix RotationMatrix(double angleDeg, int axis);
CMatrix ScaleMatrix(double factor);

// The matrix that stands a model with this box (in its file's units) on
// the marker: turned Z up when its file is Y up, its larger horizontal side
// scaled to the marker's width, centred on the marker, its lowest point on
// the marker's plane. The identity for an empty box or width.
CMatrix FitOnMarker(const ModelBox& box, bool bYUp, double markerWidth);
