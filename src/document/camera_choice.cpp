#include "document/camera_choice.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
constexpr int kMaxSameNames = 100;

// Whether `path` holds something else than `text`; a file of another size
// is not read at all.
bool HoldsOther(const std::string& path, const std::string& text)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return std::filesystem::exists(path, error);
    if (size != text.size())
        return true;
    std::ifstream file(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    return content != text;
}
} // namespace

bool WriteCameraChoice(const std::string& projectDir, const CaptureDevice& device,
                       const CaptureMode& mode, std::string* fileName, std::string* error)
{
    std::string text;
    if (!VideoConfigForDevice(device, mode.width, mode.height, 0.0, &text, error))
        return false;
    const std::string stem = "camara-" + device.path.substr(device.path.find_last_of('/') + 1);
    for (int n = 1; n <= kMaxSameNames; ++n)
    {
        const std::string name = stem + (n == 1 ? "" : "-" + std::to_string(n)) + ".cfg";
        if (HoldsOther(projectDir + name, text))
            continue;
        if (!WriteVideoConfigFile(projectDir + name, text, error))
            return false;
        *fileName = name;
        return true;
    }
    *error = "Hay demasiados ficheros " + stem + "-N.cfg en la carpeta del proyecto";
    return false;
}
