#pragma once
// The progress line of `zelmora-cli demo`: "Fotogramas: 45/90". On a
// terminal the line is rewritten in place after every frame; into a file or
// a pipe one line is written per tenth of the frames, so logs stay short.
// Owned by the command; callers serialise Advance().

#include <cstdio>

class CDemoProgress
{
  public:
    CDemoProgress(std::FILE* pStream, bool bTerminal, int nTotal);
    // Ends a line left unfinished on a terminal, so that a failure's message
    // starts on a line of its own.
    ~CDemoProgress();
    CDemoProgress(const CDemoProgress&) = delete;
    CDemoProgress& operator=(const CDemoProgress&) = delete;

    // One more frame written.
    void Advance();

  private:
    std::FILE* m_pStream;
    bool m_bTerminal;
    int m_nTotal;
    int m_nDone = 0;
};
