// zelmora-cli camera calibrate and camera board.
#include "cli/cli_commands.h"

#include "calibration/board_corners.h"
#include "calibration/board_picture.h"
#include "calibration/checkerboard_calibration.h"
#include "cli/calibration_video.h"
#include "formats/camera_file.h"
#include "imaging/image_file.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kMaxBoardCorners = 100; // along one side
constexpr int kMaxImageSidePx = 65535;
constexpr int kDefaultVideoViews = 20;
constexpr int kMaxVideoViews = 200;
// A file of another shape would stretch the calibrated camera.
constexpr double kAspectTolerance = 0.01;

struct CalibrateOptions
{
    std::vector<int> board;
    double squareMm = 0.0;
    std::vector<int> size;
    std::string video;
    int frames = kDefaultVideoViews;
    std::vector<std::string> files; // pictures, then the camera file to write
};

struct BoardOptions
{
    int columns = 0;
    int rows = 0;
    double squareMm = 0.0;
    int squarePx = kDefaultSquarePx;
    std::string path;
};

std::string BoardName(const BoardSpec& board)
{
    return std::to_string(board.columns) + " x " + std::to_string(board.rows) + " board";
}

// Pictures in which the board is not whole or too small are left out, and
// said so; the calibration needs enough of the rest.
std::vector<BoardView> PictureViews(const std::vector<std::string>& pictures,
                                    const BoardSpec& board, int* width, int* height)
{
    std::vector<BoardView> views;
    for (const std::string& path : pictures)
    {
        BgraImage image;
        std::string error;
        if (!ReadImageFile(path, &image, &error))
            throw CommandFailure(error);
        if (*width == 0)
        {
            *width = image.width;
            *height = image.height;
        }
        else if (image.width != *width || image.height != *height)
            throw CommandFailure(path + ": " + std::to_string(image.width) + " x " +
                                 std::to_string(image.height) + " pixels, the first picture " +
                                 std::to_string(*width) + " x " + std::to_string(*height));
        BoardView view;
        view.name = path;
        switch (FindBoardCorners(image, board, &view))
        {
        case BoardSearch::Found:
            views.push_back(view);
            break;
        case BoardSearch::NotFound:
            std::fprintf(stderr,
                         "calibrate: %s: left out, the %s's inner corners were not all found "
                         "(no board, blurred, too far, or partly outside the picture)\n",
                         path.c_str(), BoardName(board).c_str());
            break;
        case BoardSearch::TooSmall:
            std::fprintf(stderr,
                         "calibrate: %s: left out, the board covers less than %.0f%% of the "
                         "picture; bring it closer\n",
                         path.c_str(), 100.0 * kMinBoardAreaShare);
            break;
        }
    }
    return views;
}

void PrintReport(const CalibrationReport& report)
{
    std::printf("%-40s %12s %12s %10s\n", "picture", "opencv px", "camera px", "tilt deg");
    for (const ViewReport& view : report.views)
        std::printf("%-40s %12.3f %12.3f %10.1f\n", view.name.c_str(), view.openCvErrorPx,
                    view.modelErrorPx, view.tiltDeg);
    std::printf("%-40s %12.3f %12.3f\n", "overall", report.openCvErrorPx, report.modelErrorPx);
    for (const std::string& warning : report.warnings)
        std::fprintf(stderr, "calibrate: warning: %s\n", warning.c_str());
}

void Calibrate(const CalibrateOptions& options)
{
    const BoardSpec board{options.board[0], options.board[1], options.squareMm};
    const std::string out = options.files.back();
    const std::vector<std::string> pictures(options.files.begin(), options.files.end() - 1);
    if (options.video.empty() == pictures.empty())
        throw CLI::ValidationError("give either pictures or --video CONFIG, not both");

    int width = 0, height = 0;
    std::vector<BoardView> views;
    if (options.video.empty())
        views = PictureViews(pictures, board, &width, &height);
    else
    {
        VideoViews video = CollectVideoViews(options.video, board, options.frames);
        width = video.width;
        height = video.height;
        views = std::move(video.views);
    }
    if (!options.size.empty() &&
        std::fabs(static_cast<double>(options.size[0]) / options.size[1] -
                  static_cast<double>(width) / height) > kAspectTolerance)
        throw CommandFailure("--size " + std::to_string(options.size[0]) + " " +
                             std::to_string(options.size[1]) + " has another shape than the " +
                             std::to_string(width) + " x " + std::to_string(height) +
                             " pictures");

    CalibrationReport report;
    std::string error;
    if (!CalibrateCamera(board, width, height, views, &report, &error))
        throw CommandFailure("cannot calibrate with the " + BoardName(board) + ": " + error);
    PrintReport(report);
    CameraParam camera = report.camera;
    if (!options.size.empty())
        changeCameraParamSize(camera, options.size[0], options.size[1], &camera);
    if (!WriteCameraParamFile(out, camera, &error))
        throw CommandFailure(error);
}

void DrawBoard(const BoardOptions& options)
{
    const BgraImage picture =
        DrawBoardPicture({options.columns, options.rows, options.squareMm}, options.squarePx);
    if (picture.width == 0)
        throw CommandFailure("the board would be larger than " +
                             std::to_string(kMaxBoardPictureSidePx) +
                             " pixels a side; use a smaller --square-px");
    std::string error;
    if (!WritePngFile(options.path, picture, &error))
        throw CommandFailure(error);
}

const CLI::Range kBoardSide(2, kMaxBoardCorners);
const CLI::Range kSquareMm(0.1, 1000.0);
} // namespace

void RegisterCalibrationCommands(CLI::App& camera)
{
    auto calibrate = std::make_shared<CalibrateOptions>();
    CLI::App* command = camera.add_subcommand(
        "calibrate", "Calibrate a camera from pictures or a video of a printed checkerboard");
    command->add_option("--board", calibrate->board, "Inner corners across and down")
        ->expected(2)
        ->allow_extra_args(false)
        ->required()
        ->check(kBoardSide);
    command->add_option("--square", calibrate->squareMm, "Side of a printed square in mm")
        ->required()
        ->check(FiniteNumber() & kSquareMm);
    command->add_option("--size", calibrate->size, "Write the file for video of W x H pixels")
        ->expected(2)
        ->allow_extra_args(false)
        ->check(CLI::Range(1, kMaxImageSidePx));
    command->add_option("--video", calibrate->video, "Video configuration to take frames from");
    command->add_option("--frames", calibrate->frames, "Frames to keep from the video")
        ->check(CLI::Range(kMinCalibrationViews, kMaxVideoViews));
    command->add_option("FILES", calibrate->files, "Pictures (PNG, JPEG, BMP), then OUT.dat")
        ->required();
    command->callback([calibrate] { Calibrate(*calibrate); });

    auto board = std::make_shared<BoardOptions>();
    CLI::App* boardCommand =
        camera.add_subcommand("board", "Draw a checkerboard to print for the calibration");
    boardCommand->add_option("--cols", board->columns, "Inner corners across")
        ->required()
        ->check(kBoardSide);
    boardCommand->add_option("--rows", board->rows, "Inner corners down")
        ->required()
        ->check(kBoardSide);
    boardCommand->add_option("--square", board->squareMm, "Side of a square once printed, in mm")
        ->required()
        ->check(FiniteNumber() & kSquareMm);
    boardCommand->add_option("--square-px", board->squarePx, "Side of a square in the picture")
        ->check(CLI::Range(8, 1000));
    boardCommand->add_option("OUT", board->path, "PNG picture to write")->required();
    boardCommand->callback([board] { DrawBoard(*board); });
}
