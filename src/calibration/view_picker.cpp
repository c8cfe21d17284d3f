#include "calibration/view_picker.h"

#include <cmath>

namespace
{
double MeanCornerDistance(const BoardView& a, const BoardView& b)
{
    double sum = 0.0;
    for (size_t i = 0; i < a.corners.size(); ++i)
        sum += std::hypot(a.corners[i].x - b.corners[i].x, a.corners[i].y - b.corners[i].y);
    return sum / static_cast<double>(std::max<size_t>(1, a.corners.size()));
}
} // namespace

bool CViewPicker::Offer(const BoardView& view)
{
    for (const BoardView& kept : m_kept)
        if (kept.corners.size() != view.corners.size() ||
            MeanCornerDistance(kept, view) < kMinChangeShare * m_nWidth)
            return false;
    m_kept.push_back(view);
    return true;
}
