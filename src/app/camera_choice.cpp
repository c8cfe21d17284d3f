#include "app/camera_choice.h"

#include <fstream>
#include <iterator>

namespace
{
constexpr int kMaxSameNames = 100;

bool Exists(const std::string& path, std::string* content)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    content->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
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
        std::string existing;
        if (Exists(projectDir + name, &existing) && existing != text)
            continue;
        if (!WriteVideoConfigFile(projectDir + name, text, error))
            return false;
        *fileName = name;
        return true;
    }
    *error = "Hay demasiados ficheros " + stem + "-N.cfg en la carpeta del proyecto";
    return false;
}
