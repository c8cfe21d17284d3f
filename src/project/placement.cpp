#include "project/placement.h"

#include <algorithm>
#include <cmath>

namespace
{
// Each view turns about the axis it looks along: Z from the top, X from the
// side, Y from the front.
int ViewingAxis(EditorView view)
{
    switch (view)
    {
    case kTopView:
        return 2;
    case kSideView:
        return 0;
    case kFrontView:
        break;
    }
    return 1;
}
} // namespace

EditorView ViewOfTab(int tab)
{
    static const EditorView views[kPlacementTabs] = {kTopView, kSideView, kFrontView};
    return views[tab];
}

ViewAxes AxesOfView(EditorView view)
{
    switch (view)
    {
    case kTopView:
        return {{1, 0, 0}, {0, 1, 0}};
    case kSideView:
        return {{0, 1, 0}, {0, 0, 1}};
    case kFrontView:
        break;
    }
    return {{1, 0, 0}, {0, 0, 1}};
}

CMatrix TranslationMatrix(double x, double y, double z)
{
    CMatrix t;
    t.GetData()[12] = x;
    t.GetData()[13] = y;
    t.GetData()[14] = z;
    return t;
}

CMatrix RotationMatrix(double angleDeg, int axis)
{
    const double radians = angleDeg * M_PI / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int a = (axis + 1) % 3;
    const int b = (axis + 2) % 3;
    CMatrix r;
    double* m = r.GetData();
    m[4 * a + a] = c;
    m[4 * b + b] = c;
    m[4 * a + b] = s; // column a, row b
    m[4 * b + a] = -s;
    return r;
}

CMatrix ScaleMatrix(double factor)
{
    CMatrix s;
    for (int k = 0; k < 3; ++k)
        s.GetData()[5 * k] = factor;
    return s;
}

CMatrix TranslateInView(const CMatrix& matrix, EditorView view, double right, double up)
{
    const ViewAxes axes = AxesOfView(view);
    return TranslationMatrix(axes.right[0] * right + axes.up[0] * up,
                             axes.right[1] * right + axes.up[1] * up,
                             axes.right[2] * right + axes.up[2] * up) *
           matrix;
}

CMatrix ApplyPlacementStep(const CMatrix& matrix, PlacementStep step, int tab,
                           const StepSizes& sizes)
{
    if (tab < 0 || tab >= kPlacementTabs)
        return matrix;
    const EditorView view = ViewOfTab(tab);
    switch (step)
    {
    case PlacementStep::Up:
        return TranslateInView(matrix, view, 0.0, sizes.units);
    case PlacementStep::Down:
        return TranslateInView(matrix, view, 0.0, -sizes.units);
    case PlacementStep::Left:
        return TranslateInView(matrix, view, -sizes.units, 0.0);
    case PlacementStep::Right:
        return TranslateInView(matrix, view, sizes.units, 0.0);
    case PlacementStep::RotateCounterClockwise:
        return RotationMatrix(sizes.deg, ViewingAxis(view)) * matrix;
    case PlacementStep::RotateClockwise:
        return matrix * RotationMatrix(-sizes.deg, ViewingAxis(view));
    case PlacementStep::ScaleDown:
        return ScaleMatrix(kShrink) * matrix;
    case PlacementStep::ScaleUp:
        return ScaleMatrix(kGrow) * matrix;
    }
    return matrix;
}

CMatrix FitOnMarker(const ModelBox& box, bool bYUp, double markerWidth)
{
    if (box.bEmpty || markerWidth <= 0.0)
        return CMatrix();
    // A quarter turn about X takes a Y-up file's (x, y, z) to (x, -z, y).
    std::array<double, 3> low = box.min;
    std::array<double, 3> high = box.max;
    if (bYUp)
    {
        low = {box.min[0], -box.max[2], box.min[1]};
        high = {box.max[0], -box.min[2], box.max[1]};
    }
    double side = std::max(high[0] - low[0], high[1] - low[1]);
    if (side <= 0.0)
        side = high[2] - low[2];
    const double scale = side > 0.0 ? markerWidth / side : 1.0;
    const CMatrix turn = bYUp ? RotationMatrix(90.0, 0) : CMatrix();
    return TranslationMatrix(-scale * (low[0] + high[0]) / 2, -scale * (low[1] + high[1]) / 2,
                             -scale * low[2]) *
           ScaleMatrix(scale) * turn;
}
