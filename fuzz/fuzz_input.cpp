#include "fuzz_input.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{
struct ScratchFolder
{
    std::string path;
    ScratchFolder()
    {
        std::string pattern = std::filesystem::temp_directory_path() / "zelmora-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
        {
            std::perror("mkdtemp");
            std::abort();
        }
        path = pattern + "/";
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};
} // namespace

const std::string& FuzzFolder()
{
    static const ScratchFolder folder;
    return folder.path;
}

std::string InputAsFile(const uint8_t* data, size_t size, const char* name)
{
    const std::string path = FuzzFolder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    if (!out)
    {
        std::perror(path.c_str());
        std::abort();
    }
    return path;
}

FuzzFrame DecodeFuzzFrame(const uint8_t* data, size_t size)
{
    FuzzFrame frame;
    if (size < kFrameHeaderBytes)
        return frame;
    frame.width = kFrameMinSide + data[0] % kFrameSideSpan;
    frame.height = kFrameMinSide + data[1] % kFrameSideSpan;
    frame.threshold = data[2];
    frame.bgra.assign(size_t(frame.width) * frame.height * 4, 255);
    const size_t pixels = std::min(size - kFrameHeaderBytes, size_t(frame.width) * frame.height);
    for (size_t k = 0; k < pixels; ++k)
    {
        unsigned char* pixel = &frame.bgra[k * 4];
        pixel[0] = pixel[1] = pixel[2] = data[kFrameHeaderBytes + k];
    }
    return frame;
}

CameraParam FuzzCamera(int width, int height)
{
    CameraParam camera;
    camera.xsize = width;
    camera.ysize = height;
    camera.mat[0][0] = camera.mat[1][1] = width;
    camera.mat[0][2] = camera.distFactor[0] = width / 2.0;
    camera.mat[1][2] = camera.distFactor[1] = height / 2.0;
    camera.mat[2][2] = 1.0;
    camera.distFactor[3] = 1.0;
    return camera;
}
