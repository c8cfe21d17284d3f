#include "formats/camera_file.h"

#include "imaging/replace_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstring>

namespace
{
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
} // namespace

CameraParam IdealPinholeCamera(int width, int height, double focalPx, double cx, double cy)
{
    CameraParam param;
    param.xsize = width;
    param.ysize = height;
    const double mat[3][4] = {{focalPx, 0.0, cx, 0.0}, {0.0, focalPx, cy, 0.0}, {0.0, 0.0, 1.0, 0.0}};
    std::memcpy(param.mat, mat, sizeof mat);
    param.distFactor[0] = cx;
    param.distFactor[1] = cy;
    param.distFactor[2] = 0.0;
    param.distFactor[3] = 1.0;
    return param;
}

double FocalForFieldOfView(int width, double fovDegrees)
{
    return 0.5 * width / std::tan(fovDegrees * M_PI / 360.0);
}

bool WriteCameraParamFile(const std::string& path, const CameraParam& param, std::string* error)
{
    return ReplaceFile(path, EncodeRecord(param), "camera parameter file", error);
}
