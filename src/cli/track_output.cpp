#include "cli/track_output.h"

#include "project/tracker.h"

#include <nlohmann/json.hpp>

namespace
{
std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}
} // namespace

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += (c == '"') ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

CTrackOutput::CTrackOutput(std::FILE* out, Format format) : m_pOut(out), m_format(format)
{
    if (m_format != Format::Csv)
        return;
    std::fputs("frame,tracker,found", m_pOut);
    for (int k = 0; k < 16; ++k)
        std::fprintf(m_pOut, ",m%d", k);
    std::fputc('\n', m_pOut);
}

void CTrackOutput::WriteFrame(int frame, const std::list<CTracker>& trackers)
{
    m_found.resize(trackers.size(), 0);
    ++m_nFrames;
    size_t index = 0;
    for (const CTracker& tracker : trackers)
        m_found[index++] += tracker.m_bFound ? 1 : 0;

    if (m_format == Format::Csv)
    {
        for (const CTracker& tracker : trackers)
        {
            const double* pose = tracker.m_pose.GetData();
            std::string row = std::to_string(frame) + "," + CsvField(tracker.m_strName) + "," +
                              (tracker.m_bFound ? "1" : "0");
            for (int k = 0; k < 16; ++k)
                row += "," + Number(pose[k]);
            std::fprintf(m_pOut, "%s\n", row.c_str());
        }
        return;
    }
    nlohmann::ordered_json line;
    line["frame"] = frame;
    line["trackers"] = nlohmann::ordered_json::array();
    for (const CTracker& tracker : trackers)
    {
        const double* pose = tracker.m_pose.GetData();
        line["trackers"].push_back({{"name", tracker.m_strName},
                                    {"found", tracker.m_bFound},
                                    {"pose", std::vector<double>(pose, pose + 16)}});
    }
    std::fprintf(m_pOut, "%s\n", line.dump().c_str());
}

std::string CTrackOutput::Summary(const std::list<CTracker>& trackers) const
{
    std::string summary = "frames: " + std::to_string(m_nFrames) + "\n";
    size_t index = 0;
    for (const CTracker& tracker : trackers)
    {
        const int found = index < m_found.size() ? m_found[index] : 0;
        summary += "  " + tracker.m_strName + ": found in " + std::to_string(found) + " of " +
                   std::to_string(m_nFrames) + " frames\n";
        ++index;
    }
    return summary;
}
