#pragma once
// Writes the trackers' state after each frame of a headless run, as CSV or
// JSON Lines, and counts the frames each tracker was found in.

#include <cstdio>
#include <list>
#include <string>
#include <vector>

class CTracker;

class CTrackOutput
{
public:
    enum class Format
    {
        Csv,
        JsonLines,
    };

    CTrackOutput(std::FILE* out, Format format);
    void WriteFrame(int frame, const std::list<CTracker>& trackers);
    // "frames: N" and, per tracker, the frames it was found in.
    std::string Summary(const std::list<CTracker>& trackers) const;

private:
    std::FILE* m_pOut;
    Format m_format;
    int m_nFrames = 0;
    std::vector<int> m_found;
};

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& text);
