#include "cli/cli_commands.h"

#include "formats/camera_file.h"
#include "tracking/camera_param.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kMaxImageSidePx = 65535;

struct ShowOptions
{
    std::string path;
    std::vector<int> size;
};

struct MakeOptions
{
    std::vector<int> size;
    double fovDeg = 0.0;
    double focal = 0.0;
    std::vector<double> center;
    std::string path;
};

std::string FaultText(CameraParamFault fault, int savedErrno)
{
    switch (fault)
    {
    case CameraParamFault::CannotOpen:
        return std::strerror(savedErrno);
    case CameraParamFault::ShortRecord:
        return "shorter than a 136-byte camera parameter record";
    case CameraParamFault::BadSize:
        return "image width or height is not positive";
    case CameraParamFault::NotFinite:
        return "projection or distortion holds a value that is not finite";
    case CameraParamFault::BadCount:
    case CameraParamFault::None:
        break;
    }
    return "cannot be read";
}

void ShowCamera(const ShowOptions& options)
{
    CameraParam param;
    CameraParamFault fault = CameraParamFault::None;
    errno = 0;
    if (loadCameraParam(options.path.c_str(), 1, &param, &fault) < 0)
        throw CommandFailure(options.path + ": " + FaultText(fault, errno));
    if (!options.size.empty())
        changeCameraParamSize(param, options.size[0], options.size[1], &param);
    displayCameraParam(param);
}

// An ideal pinhole: square pixels, no skew, no lens distortion (radial
// factor 0, scale 1, centred on the principal point).
void MakeCamera(const MakeOptions& options)
{
    const double focal =
        options.focal > 0.0 ? options.focal : FocalForFieldOfView(options.size[0], options.fovDeg);
    const double cx = options.center.empty() ? 0.5 * options.size[0] : options.center[0];
    const double cy = options.center.empty() ? 0.5 * options.size[1] : options.center[1];
    std::string error;
    if (!WriteCameraParamFile(options.path,
                              IdealPinholeCamera(options.size[0], options.size[1], focal, cx, cy),
                              &error))
        throw CommandFailure(error);
}

const CLI::Range kImageSide(1, kMaxImageSidePx);
} // namespace

// CLI::Range lets "nan" through, since every comparison with it is false.
const CLI::Validator& FiniteNumber()
{
    static const CLI::Validator finite(
        [](std::string& value)
        {
            try
            {
                return std::isfinite(std::stod(value)) ? std::string() : "must be a finite number";
            }
            catch (const std::exception&)
            {
                return std::string("must be a number");
            }
        },
        "FINITE");
    return finite;
}

void RegisterCameraCommands(CLI::App& app)
{
    CLI::App* camera = app.add_subcommand("camera", "Inspect and make camera parameter files");
    camera->require_subcommand(1);

    auto show = std::make_shared<ShowOptions>();
    CLI::App* showCommand =
        camera->add_subcommand("show", "Print a camera parameter file as a live run prints it");
    showCommand->add_option("FILE", show->path, "Camera parameter file")->required();
    showCommand->add_option("--size", show->size, "Resize to the video size W H first")
        ->expected(2)
        ->allow_extra_args(false)
        ->check(kImageSide);
    showCommand->callback([show] { ShowCamera(*show); });

    auto make = std::make_shared<MakeOptions>();
    CLI::App* makeCommand =
        camera->add_subcommand("make", "Write the parameters of an ideal pinhole camera");
    makeCommand->add_option("--size", make->size, "Image width and height in pixels")
        ->expected(2)
        ->allow_extra_args(false)
        ->required()
        ->check(kImageSide);
    // Exactly one way of giving the focal length.
    CLI::Option_group* lens = makeCommand->add_option_group("lens", "Focal length, one of");
    lens->add_option("--fov", make->fovDeg, "Horizontal field of view in degrees")
        ->check(FiniteNumber() & CLI::Range(0.1, 179.0));
    lens->add_option("--focal", make->focal, "Focal length in pixels")
        ->check(FiniteNumber() & CLI::Range(0.001, 1e7));
    lens->require_option(1);
    makeCommand->add_option("--center", make->center, "Principal point CX CY in pixels")
        ->expected(2)
        ->allow_extra_args(false)
        ->check(FiniteNumber() & CLI::Range(-1e6, 1e6));
    makeCommand->add_option("OUT", make->path, "Camera parameter file to write")->required();
    makeCommand->callback([make] { MakeCamera(*make); });

    RegisterCalibrationCommands(*camera);
    RegisterDeviceCommands(*camera);
}
