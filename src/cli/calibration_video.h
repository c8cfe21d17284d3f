#pragma once
// Board views for a calibration taken from a running video: every frame is
// searched, and those whose board differs enough from the ones kept
// (CViewPicker) are kept, with a progress line on standard error.

#include "calibration/board.h"

#include <string>
#include <vector>

struct VideoViews
{
    int width = 0;
    int height = 0;
    std::vector<BoardView> views;
};

// Until `wanted` views are kept or a recorded video ends. Throws
// CommandFailure when the video cannot be opened, fails or gives no frame
// for several seconds (a camera unplugged).
VideoViews CollectVideoViews(const std::string& configFile, const BoardSpec& board, int wanted);
