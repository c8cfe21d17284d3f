#pragma once
// Scratch folders and whole-file bytes for tests of every layer.

#include <string>

// A fresh folder under the system's temporary directory, removed with the
// object. The current directory is restored too, since loading moves it.
class ScratchFolder
{
  public:
    ScratchFolder();
    ~ScratchFolder();
    std::string Path(const std::string& name) const { return m_strPath + "/" + name; }
    const std::string& Path() const { return m_strPath; }

  private:
    std::string m_strPath;
    std::string m_strPreviousDir;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
