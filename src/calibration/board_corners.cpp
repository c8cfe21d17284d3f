#include "calibration/board_corners.h"

#include <opencv2/calib3d.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace
{
// The coarse search runs on a picture at most this wide: the grid is found
// as well at half size in a quarter of the time, and the sub-pixel step
// works on the full picture anyway.
constexpr int kSearchWidthPx = 800;
// The sub-pixel window must stay inside the four squares around a corner.
constexpr double kWindowShareOfSquare = 0.4;
constexpr int kMinWindowPx = 2;
constexpr int kMaxWindowPx = 11;

double SmallestSpacing(const std::vector<cv::Point2f>& corners, int columns)
{
    double smallest = 1e300;
    for (size_t i = 0; i < corners.size(); ++i)
    {
        if ((i + 1) % columns != 0)
            smallest = std::min(smallest, cv::norm(corners[i + 1] - corners[i]));
        if (i + columns < corners.size())
            smallest = std::min(smallest, cv::norm(corners[i + columns] - corners[i]));
    }
    return smallest;
}
// The grid's corners in full-size pixel coordinates (pixel centres on
// integers), searched for on the picture scaled by `scale`.
bool SearchGrid(const cv::Mat& grey, const BoardSpec& board, double scale,
                std::vector<cv::Point2f>* corners)
{
    cv::Mat search = grey;
    if (scale != 1.0)
        cv::resize(grey, search, cv::Size(), scale, scale, cv::INTER_AREA);
    const int flags =
        cv::CALIB_CB_ADAPTIVE_THRESH | cv::CALIB_CB_NORMALIZE_IMAGE | cv::CALIB_CB_FAST_CHECK;
    if (!cv::findChessboardCorners(search, cv::Size(board.columns, board.rows), *corners, flags) ||
        static_cast<int>(corners->size()) != board.CornerCount())
        return false;
    for (cv::Point2f& corner : *corners)
        corner = (corner + cv::Point2f(0.5f, 0.5f)) / static_cast<float>(scale) -
                 cv::Point2f(0.5f, 0.5f);
    return true;
}
} // namespace

BoardSearch FindBoardCorners(const BgraImage& image, const BoardSpec& board, BoardView* view)
{
    if (image.width < 1 || image.height < 1 || board.columns < 2 || board.rows < 2)
        return BoardSearch::NotFound;
    cv::Mat bgra(image.height, image.width, CV_8UC4, const_cast<unsigned char*>(image.pixels.data()));
    cv::Mat grey;
    cv::cvtColor(bgra, grey, cv::COLOR_BGRA2GRAY);

    // No second search at full size when this one fails: on a partial or
    // blurred board OpenCV's search takes tens of seconds there.
    std::vector<cv::Point2f> corners;
    if (!SearchGrid(grey, board, image.width > kSearchWidthPx ? 0.5 : 1.0, &corners))
        return BoardSearch::NotFound;

    const cv::Rect box = cv::boundingRect(corners);
    if (box.area() < kMinBoardAreaShare * image.width * image.height)
        return BoardSearch::TooSmall;

    const int window = std::clamp(static_cast<int>(kWindowShareOfSquare *
                                                   SmallestSpacing(corners, board.columns)),
                                  kMinWindowPx, kMaxWindowPx);
    cv::cornerSubPix(grey, corners, cv::Size(window, window), cv::Size(-1, -1),
                     cv::TermCriteria(cv::TermCriteria::EPS + cv::TermCriteria::COUNT, 40, 0.001));
    view->corners.clear();
    for (const cv::Point2f& corner : corners)
        view->corners.push_back({corner.x, corner.y});
    return BoardSearch::Found;
}
