#include "calibration/view_coverage.h"

#include <algorithm>

namespace
{
const char* const kRowNames[kCoverageCells] = {"top", "middle", "bottom"};
const char* const kColumnNames[kCoverageCells] = {"left", "centre", "right"};
} // namespace

std::vector<std::string> ViewSpreadWarnings(int width, int height,
                                            const std::vector<BoardView>& views,
                                            const std::vector<double>& tiltsDeg)
{
    bool covered[kCoverageCells][kCoverageCells] = {};
    for (const BoardView& view : views)
        for (const ImagePoint& corner : view.corners)
        {
            const int column = std::clamp(static_cast<int>(corner.x * kCoverageCells / width), 0,
                                          kCoverageCells - 1);
            const int row = std::clamp(static_cast<int>(corner.y * kCoverageCells / height), 0,
                                       kCoverageCells - 1);
            covered[row][column] = true;
        }
    std::string missing;
    for (int row = 0; row < kCoverageCells; ++row)
        for (int column = 0; column < kCoverageCells; ++column)
            if (!covered[row][column])
                missing += std::string(missing.empty() ? "" : ", ") + kRowNames[row] + " " +
                           kColumnNames[column];
    std::vector<std::string> warnings;
    if (!missing.empty())
        warnings.push_back("the board never reaches these parts of the frame (" + missing +
                           "): the lens distortion there is a guess; add pictures with the "
                           "board there");
    const auto tilted = std::count_if(tiltsDeg.begin(), tiltsDeg.end(),
                                      [](double tilt) { return tilt >= kMinTiltDeg; });
    if (tilted < kMinTiltedViews)
        warnings.push_back("only " + std::to_string(tilted) + " picture" +
                           (tilted == 1 ? "" : "s") + " show the board tilted by " +
                           std::to_string(static_cast<int>(kMinTiltDeg)) +
                           " degrees or more: the focal length is poorly known; add pictures "
                           "with the board turned away from the camera");
    return warnings;
}
