#include "formats/replace_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool ReplaceFile(const std::string& path, const std::string& bytes, const std::string& what,
                 std::string* error)
{
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
    {
        *error = path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        std::remove(temporary.c_str());
        *error = path + ": cannot write the " + what;
        return false;
    }
    return true;
}
