#pragma once
// The live state of one distinct pattern file during a run: its library
// slot, the filter that smooths the detected pose (the pattern's running
// average or its adaptive filter), and the confidence of the latest match.
// Created by the pattern registry; updated once per frame on the
// user-interface thread.

#include "project/matrix.h"
#include "project/pose_filter.h"

struct MarkerInfo;
class CPattern;

class CPatternState
{
public:
    explicit CPatternState(CPattern* pattern = nullptr);
    CPatternState(const CPatternState& other);
    virtual ~CPatternState() = default;

    CPatternState& operator=(const CPatternState& other);
    // Copies everything but the visibility: a copy starts unseen.
    virtual void Copy(const CPatternState& other);

    // (Re)loads the pattern file into a library slot; -1 when it cannot.
    void LoadPattern();
    void FreePattern();
    void SetVisible(bool visible) { m_bVisible = visible; }

    // Estimates the marker's pose and feeds it to the pattern's filter.
    // False when no pose could be estimated: the state is then unchanged and
    // the caller counts the pattern as not seen in this frame.
    bool Update(const MarkerInfo& marker);

    // The filtered pose as an OpenGL matrix, x axis mirrored.
    void GetGLMatrix(CMatrix& matrix) const;
    CMatrix GetGLMatrix() const;

    int m_nId = -1;
    CPattern* m_pPattern = nullptr; // lives in a tracker's list, not owned
    bool m_bVisible = false;        // matched in the previous frame
    double m_dConfidence = 0.0;
    int m_nCount = 0;               // frames the average holds, 0..m_nFrames
    double m_average[3][4] = {};    // the filtered pose, whichever the filter
    CPoseFilter m_adaptive;         // the pattern's other filter
    double m_previous[3][4] = {};
    double m_current[3][4] = {};
    double m_center[2] = {};

private:
    // Both take the new raw estimate and leave the smoothed pose in m_average.
    void Average(const double estimate[3][4]);
    void FilterAdaptively(const double estimate[3][4]);
};
