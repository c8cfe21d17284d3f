#include "project/pattern_state.h"

#include "project/pattern.h"
#include "tracking/pattern_matching.h"
#include "tracking/pose.h"

#include <cmath>
#include <cstring>

namespace
{
// Update is given no frame time: the document hands over frames without
// their timestamps. Live cameras run at about 30 frames a second, and at
// another steady rate the filter's cut-offs only scale by the ratio.
constexpr double kNominalFrameSeconds = 1.0 / 30.0;
} // namespace

CPatternState::CPatternState(CPattern* pattern) : m_pPattern(pattern) {}

CPatternState::CPatternState(const CPatternState& other) { Copy(other); }

CPatternState& CPatternState::operator=(const CPatternState& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void CPatternState::Copy(const CPatternState& other)
{
    m_nId = other.m_nId;
    m_pPattern = other.m_pPattern;
    m_dConfidence = other.m_dConfidence;
    m_nCount = other.m_nCount;
    std::memcpy(m_average, other.m_average, sizeof m_average);
    std::memcpy(m_previous, other.m_previous, sizeof m_previous);
    std::memcpy(m_current, other.m_current, sizeof m_current);
    std::memcpy(m_center, other.m_center, sizeof m_center);
    m_adaptive = other.m_adaptive;
}

void CPatternState::LoadPattern()
{
    FreePattern();
    if (m_pPattern)
        m_nId = loadPattern(m_pPattern->m_strFile.c_str());
}

void CPatternState::FreePattern()
{
    if (m_nId != -1)
    {
        freePattern(m_nId);
        m_nId = -1;
    }
}

bool CPatternState::Update(const MarkerInfo& marker)
{
    if (!m_pPattern)
        return false;
    const double width = m_pPattern->m_nWidth;

    // Estimated first so that a failed estimate leaves the whole filter as
    // it was; the order of the filter steps below is unaffected.
    double estimate[3][4];
    const double error = m_bVisible
                             ? estimateMarkerTransformCont(marker, m_current, m_center, width, estimate)
                             : estimateMarkerTransform(marker, m_center, width, estimate);
    // NaN fails this test too: a degenerate marker must not poison the average.
    if (!(error >= 0.0))
        return false;
    for (const auto& row : estimate)
        for (double value : row)
            if (!std::isfinite(value))
                return false;

    if (m_pPattern->m_filter == PoseFilter::Adaptive)
        FilterAdaptively(estimate);
    else
        Average(estimate);
    m_dConfidence = marker.cf;
    return true;
}

void CPatternState::Average(const double estimate[3][4])
{
    m_adaptive.Reset();
    // The average restarts when the last two raw poses differ by more than
    // the tolerance: a marker that jumps is a new observation, not noise.
    double distance = 0.0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            distance += (m_previous[i][j] - m_current[i][j]) * (m_previous[i][j] - m_current[i][j]);
    if (distance > m_pPattern->m_fTolerance)
        m_nCount = 0;

    std::memcpy(m_previous, m_current, sizeof m_current);
    if (!m_bVisible)
        m_nCount = 0;
    std::memcpy(m_current, estimate, sizeof m_current);

    if (m_nCount == 0)
        std::memcpy(m_average, m_current, sizeof m_current);
    else
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j)
                m_average[i][j] = (m_nCount * m_average[i][j] + m_current[i][j]) / (m_nCount + 1);
    if (m_nCount < m_pPattern->m_nFrames)
        ++m_nCount;
}

void CPatternState::FilterAdaptively(const double estimate[3][4])
{
    // The raw poses move on as for the average, and its count is emptied,
    // so a switch back to it starts afresh from the right poses.
    m_nCount = 0;
    std::memcpy(m_previous, m_current, sizeof m_current);
    std::memcpy(m_current, estimate, sizeof m_current);
    if (!m_bVisible)
        m_adaptive.Reset();
    PoseFilterSettings settings;
    settings.minCutoffHz = m_pPattern->m_fMinCutoff;
    settings.speedGain = m_pPattern->m_fSpeedGain;
    settings.markerWidth = m_pPattern->m_nWidth;
    m_adaptive.Filter(m_current, kNominalFrameSeconds, settings, m_average);
}

void CPatternState::GetGLMatrix(CMatrix& matrix) const
{
    matrix = CMatrix::FromTransform(m_average);
    double* data = matrix.GetData();
    for (int k = 0; k < 3; ++k)
        data[k] = -data[k];
}

CMatrix CPatternState::GetGLMatrix() const
{
    CMatrix matrix;
    GetGLMatrix(matrix);
    return matrix;
}
