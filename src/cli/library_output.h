#pragma once
// The tracking library prints its diagnostics ("??? 1", pattern read errors)
// on standard output. A command whose standard output is data moves them to
// standard error while the guard lives, and writes its data through the
// guard to the real standard output.

#include <cstdio>
#include <string>

class CLibraryOutputToStderr
{
  public:
    CLibraryOutputToStderr();
    ~CLibraryOutputToStderr();
    CLibraryOutputToStderr(const CLibraryOutputToStderr&) = delete;
    CLibraryOutputToStderr& operator=(const CLibraryOutputToStderr&) = delete;

    void WriteData(const std::string& text);
    // The real standard output as a stream, for data written piecemeal;
    // flushed and closed with the guard.
    std::FILE* Data();

  private:
    int m_nSavedStdout = -1;
    std::FILE* m_pData = nullptr;
};
