#include "support/scratch_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zelmora-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder");
    m_strPath = pattern;
    // A failed test may leave the process in a folder already removed.
    std::error_code error;
    m_strPreviousDir = std::filesystem::current_path(error).string();
    if (error)
        m_strPreviousDir = std::filesystem::temp_directory_path().string();
}

ScratchFolder::~ScratchFolder()
{
    std::error_code error;
    std::filesystem::current_path(m_strPreviousDir, error);
    std::filesystem::permissions(m_strPath, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(m_strPath, error);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}
