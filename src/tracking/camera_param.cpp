#include "tracking/camera_param.h"

#include "tracking/regular_file.h"
#include "tracking/tracking_state.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace
{
uint64_t BigEndian(const unsigned char* bytes, int count)
{
    uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

double BigEndianDouble(const unsigned char* bytes)
{
    const uint64_t bits = BigEndian(bytes, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

CameraParamFault DecodeRecord(const unsigned char bytes[kCameraParamFileBytes], CameraParam* param)
{
    CameraParam decoded;
    decoded.xsize = static_cast<int32_t>(BigEndian(bytes, 4));
    decoded.ysize = static_cast<int32_t>(BigEndian(bytes + 4, 4));
    const unsigned char* next = bytes + 8;
    for (auto& row : decoded.mat)
        for (double& value : row)
        {
            value = BigEndianDouble(next);
            next += 8;
        }
    for (double& value : decoded.distFactor)
    {
        value = BigEndianDouble(next);
        next += 8;
    }
    // A zero size would make every later resize divide by zero.
    if (decoded.xsize <= 0 || decoded.ysize <= 0)
        return CameraParamFault::BadSize;
    for (const auto& row : decoded.mat)
        for (double value : row)
            if (!std::isfinite(value))
                return CameraParamFault::NotFinite;
    for (double value : decoded.distFactor)
        if (!std::isfinite(value))
            return CameraParamFault::NotFinite;
    *param = decoded;
    return CameraParamFault::None;
}

int Refuse(CameraParamFault reason, CameraParamFault* fault)
{
    if (fault)
        *fault = reason;
    return -1;
}
} // namespace

int loadCameraParam(const char* path, int count, CameraParam* params, CameraParamFault* fault)
{
    if (count < 1)
        return Refuse(CameraParamFault::BadCount, fault);
    FILE* file = IsRegularFile(path) ? std::fopen(path, "rb") : nullptr;
    if (!file)
        return Refuse(CameraParamFault::CannotOpen, fault);
    for (int i = 0; i < count; ++i)
    {
        unsigned char bytes[kCameraParamFileBytes];
        if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes)
        {
            std::fclose(file);
            return Refuse(CameraParamFault::ShortRecord, fault);
        }
        const CameraParamFault reason = DecodeRecord(bytes, &params[i]);
        if (reason != CameraParamFault::None)
        {
            std::fclose(file);
            return Refuse(reason, fault);
        }
    }
    std::fclose(file);
    if (fault)
        *fault = CameraParamFault::None;
    return 0;
}

// Rows 0 and 1 scale by the same width ratio, so the ratio of the two focal
// lengths, and with it the pixels' aspect, survives any new size.
int changeCameraParamSize(const CameraParam& source, int xsize, int ysize, CameraParam* dest)
{
    if (source.xsize <= 0 || xsize <= 0 || ysize <= 0)
        return -1;
    const double scale = static_cast<double>(xsize) / source.xsize;
    CameraParam resized = source;
    resized.xsize = xsize;
    resized.ysize = ysize;
    for (int i = 0; i < 4; ++i)
    {
        resized.mat[0][i] = source.mat[0][i] * scale;
        resized.mat[1][i] = source.mat[1][i] * scale;
        resized.mat[2][i] = source.mat[2][i];
    }
    resized.distFactor[0] = source.distFactor[0] * scale;
    resized.distFactor[1] = source.distFactor[1] * scale;
    resized.distFactor[2] = source.distFactor[2] / (scale * scale);
    resized.distFactor[3] = source.distFactor[3];
    *dest = resized;
    return 0;
}

int initCameraParam(const CameraParam& param)
{
    TrackingState& state = trackingState();
    state.xsize = param.xsize;
    state.ysize = param.ysize;
    state.camera = param;
    state.hasCamera = true;
    return 0;
}

int displayCameraParam(const CameraParam& param)
{
    std::printf("--------------------------------------\n");
    std::printf("SIZE = %d, %d\n", param.xsize, param.ysize);
    std::printf("Distortion factor = %f %f %f %f\n", param.distFactor[0], param.distFactor[1],
                param.distFactor[2], param.distFactor[3]);
    for (const auto& row : param.mat)
    {
        for (double value : row)
            std::printf("%7.5f ", value);
        std::printf("\n");
    }
    std::printf("--------------------------------------\n");
    return 0;
}
