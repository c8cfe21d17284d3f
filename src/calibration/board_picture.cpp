#include "calibration/board_picture.h"

#include <opencv2/imgproc.hpp>

#include <cstdio>

BgraImage DrawBoardPicture(const BoardSpec& board, int squarePx)
{
    const long width = static_cast<long>(board.columns + 3) * squarePx;
    const long height = static_cast<long>(board.rows + 4) * squarePx; // a line of text below
    if (squarePx < 1 || board.columns < 1 || board.rows < 1 || width > kMaxBoardPictureSidePx ||
        height > kMaxBoardPictureSidePx)
        return BgraImage();
    BgraImage picture(static_cast<int>(width), static_cast<int>(height));
    cv::Mat canvas(picture.height, picture.width, CV_8UC4, picture.pixels.data());
    canvas.setTo(cv::Scalar(255, 255, 255, 255));
    for (int row = 0; row <= board.rows; ++row)
        for (int column = 0; column <= board.columns; ++column)
            if ((row + column) % 2 == 0)
                canvas(cv::Rect((column + 1) * squarePx, (row + 1) * squarePx, squarePx, squarePx))
                    .setTo(cv::Scalar(0, 0, 0, 255));

    char text[160];
    std::snprintf(text, sizeof text, "--board %d %d --square %g   (print at 100%%: squares %g mm)",
                  board.columns, board.rows, board.squareMm, board.squareMm);
    // The line fills at most the board's width, at a size that stays readable.
    const int font = cv::FONT_HERSHEY_SIMPLEX;
    int baseline = 0;
    const cv::Size unit = cv::getTextSize(text, font, 1.0, 1, &baseline);
    const double scale = (board.columns + 1) * squarePx / static_cast<double>(unit.width);
    const int thickness = std::max(1, static_cast<int>(scale * 2));
    cv::putText(canvas, text,
                cv::Point(squarePx, (board.rows + 2) * squarePx + squarePx / 2 +
                                        static_cast<int>(unit.height * scale / 2)),
                font, scale, cv::Scalar(0, 0, 0, 255), thickness, cv::LINE_AA);
    return picture;
}
