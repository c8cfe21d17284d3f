#pragma once
// The file access assimp gets while importing an untrusted model: the model
// itself from the bytes already read and checked, and the files it names
// (glTF buffers, OBJ material libraries) read whole from disk, each and all
// together within a byte budget, and never for writing. Lives on the stack
// of one import; not shared between threads.

#include <assimp/IOSystem.hpp>

#include <list>
#include <string>

class CBoundedIOSystem : public Assimp::IOSystem
{
  public:
    CBoundedIOSystem(const std::string& modelPath, const std::string& modelBytes,
                     long long nBudgetBytes);

    bool Exists(const char* pFile) const override;
    char getOsSeparator() const override { return '/'; }
    Assimp::IOStream* Open(const char* pFile, const char* pMode = "rb") override;
    void Close(Assimp::IOStream* pFile) override;

    // Why the last Open failed, when a file was missing or over budget.
    const std::string& LastRefusal() const { return m_strRefusal; }

  private:
    std::string m_strModelPath;
    const std::string& m_strModelBytes;
    long long m_nBudgetBytes;
    // Bytes of the other files opened so far; the streams point into them.
    std::list<std::string> m_files;
    std::string m_strRefusal;
};
