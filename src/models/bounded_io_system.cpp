#include "models/bounded_io_system.h"

#include "models/safe_3ds_load.h"

#include <assimp/MemoryIOWrapper.h>

#include <cstring>
#include <sys/stat.h>

CBoundedIOSystem::CBoundedIOSystem(const std::string& modelPath, const std::string& modelBytes,
                                   long long nBudgetBytes)
    : m_strModelPath(modelPath), m_strModelBytes(modelBytes), m_nBudgetBytes(nBudgetBytes)
{
}

bool CBoundedIOSystem::Exists(const char* pFile) const
{
    if (m_strModelPath == pFile)
        return true;
    struct stat info;
    return stat(pFile, &info) == 0 && S_ISREG(info.st_mode);
}

Assimp::IOStream* CBoundedIOSystem::Open(const char* pFile, const char* pMode)
{
    if (std::strpbrk(pMode, "wa+"))
        return nullptr;
    const std::string* pBytes = &m_strModelBytes;
    if (m_strModelPath != pFile)
    {
        std::string bytes;
        std::string reason;
        if (!ReadWholeFile(ResolveWindowsPath(pFile), m_nBudgetBytes, &bytes, &reason))
        {
            m_strRefusal = std::string(pFile) + ": " + reason;
            return nullptr;
        }
        m_nBudgetBytes -= (long long)bytes.size();
        m_files.push_back(std::move(bytes));
        pBytes = &m_files.back();
    }
    return new Assimp::MemoryIOStream(reinterpret_cast<const uint8_t*>(pBytes->data()),
                                      pBytes->size());
}

void CBoundedIOSystem::Close(Assimp::IOStream* pFile)
{
    delete pFile;
}
