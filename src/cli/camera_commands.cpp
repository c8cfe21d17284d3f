#include "cli/cli_commands.h"
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
constexpr double kPi = 3.14159265358979323846;
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

void PutBigEndian(std::string& bytes, uint64_t value, int count)
{
    for (int i = count - 1; i >= 0; --i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

std::string EncodeRecord(const CameraParam& param)
{
    std::string bytes;
    PutBigEndian(bytes, static_cast<uint32_t>(param.xsize), 4);
    PutBigEndian(bytes, static_cast<uint32_t>(param.ysize), 4);
    auto putDouble = [&bytes](double value)
    {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        PutBigEndian(bytes, bits, 8);
    };
    for (const auto& row : param.mat)
        for (double value : row)
            putDouble(value);
    for (double value : param.distFactor)
        putDouble(value);
    return bytes;
}

void WriteFileOrFail(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        throw CommandFailure(path + ": " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        std::remove(temporary.c_str());
        throw CommandFailure(path + ": cannot write the camera parameter file");
    }
}

// An ideal pinhole: square pixels, no skew, no lens distortion (radial
// factor 0, scale 1, centred on the principal point).
void MakeCamera(const MakeOptions& options)
{
    CameraParam param;
    param.xsize = options.size[0];
    param.ysize = options.size[1];
    const double focal = options.focal > 0.0
                             ? options.focal
                             : 0.5 * param.xsize / std::tan(0.5 * options.fovDeg * kPi / 180.0);
    const double cx = options.center.empty() ? 0.5 * param.xsize : options.center[0];
    const double cy = options.center.empty() ? 0.5 * param.ysize : options.center[1];
    const double mat[3][4] = {{focal, 0.0, cx, 0.0}, {0.0, focal, cy, 0.0}, {0.0, 0.0, 1.0, 0.0}};
    std::memcpy(param.mat, mat, sizeof mat);
    param.distFactor[0] = cx;
    param.distFactor[1] = cy;
    param.distFactor[2] = 0.0;
    param.distFactor[3] = 1.0;
    WriteFileOrFail(options.path, EncodeRecord(param));
}

const CLI::Range kImageSide(1, kMaxImageSidePx);

// CLI::Range lets "nan" through, since every comparison with it is false.
const CLI::Validator kFinite(
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
} // namespace

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
        ->check(kImageSide);
    showCommand->callback([show] { ShowCamera(*show); });

    auto make = std::make_shared<MakeOptions>();
    CLI::App* makeCommand =
        camera->add_subcommand("make", "Write the parameters of an ideal pinhole camera");
    makeCommand->add_option("--size", make->size, "Image width and height in pixels")
        ->expected(2)
        ->required()
        ->check(kImageSide);
    // Exactly one way of giving the focal length.
    CLI::Option_group* lens = makeCommand->add_option_group("lens", "Focal length, one of");
    lens->add_option("--fov", make->fovDeg, "Horizontal field of view in degrees")
        ->check(kFinite & CLI::Range(0.1, 179.0));
    lens->add_option("--focal", make->focal, "Focal length in pixels")
        ->check(kFinite & CLI::Range(0.001, 1e7));
    lens->require_option(1);
    makeCommand->add_option("--center", make->center, "Principal point CX CY in pixels")
        ->expected(2)
        ->check(kFinite & CLI::Range(-1e6, 1e6));
    makeCommand->add_option("OUT", make->path, "Camera parameter file to write")->required();
    makeCommand->callback([make] { MakeCamera(*make); });
}
