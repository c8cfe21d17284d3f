#pragma once
// Chooses which video frames to calibrate from: a frame whose board stands
// where it stood in a frame already kept adds nothing but time. One picker
// per video; not thread-safe.

#include "calibration/board.h"

#include <vector>

class CViewPicker
{
  public:
    // width of the frames, to measure a change relative to it.
    explicit CViewPicker(int width) : m_nWidth(width) {}

    // True (and the view is kept) when its corners moved, on average, by
    // at least kMinChangeShare of the frame's width from every kept view.
    bool Offer(const BoardView& view);
    const std::vector<BoardView>& Kept() const { return m_kept; }

    static constexpr double kMinChangeShare = 0.04;

  private:
    int m_nWidth;
    std::vector<BoardView> m_kept;
};
