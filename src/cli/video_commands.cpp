#include "cli/cli_commands.h"

#include "formats/project_file.h"
#include "media/frame_listener.h"
#include "media/video_source.h"
#include "media/y4m_writer.h"

#include <cstdio>
#include <memory>

namespace
{
// Nothing for this long means the source has stalled.
constexpr int kFrameWaitMs = 10000;

struct Y4mOptions
{
    std::string config;
    std::string out;
    std::string raw;
    int frames = 0; // 0: until the stream ends
};

class CFrameFiles : public CFrameListener
{
public:
    void OnFrame(const unsigned char* image, int width, int height) override
    {
        if (!m_error.empty())
            return;
        if (m_nFrames == 0 && !m_y4m.Open(m_strOut, width, height, m_dRate, &m_error))
            return;
        ++m_nFrames;
        m_y4m.WriteFrame(image, &m_error);
        const size_t bytes = static_cast<size_t>(width) * height * 4;
        if (m_pRaw && std::fwrite(image, 1, bytes, m_pRaw.get()) != bytes)
            m_error = "cannot write " + m_strRaw;
    }

    std::string m_strOut;
    std::string m_strRaw;
    double m_dRate = 30.0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_pRaw{nullptr, std::fclose};
    CY4mWriter m_y4m;
    int m_nFrames = 0;
    std::string m_error;
};

void RunY4m(const Y4mOptions& options)
{
    CVideoSource source(options.config, true);
    if (!source.m_pSource)
        throw CommandFailure("cannot open the video source '" + options.config +
                             "': " + source.Error());
    CFrameFiles files;
    files.m_strOut = options.out;
    files.m_dRate = source.m_dFrameRate;
    if (!options.raw.empty())
    {
        files.m_strRaw = options.raw;
        files.m_pRaw.reset(std::fopen(options.raw.c_str(), "wb"));
        if (!files.m_pRaw)
            throw CommandFailure("cannot write " + options.raw);
    }
    while (files.m_error.empty() && (options.frames == 0 || files.m_nFrames < options.frames))
    {
        const CVideoSource::Grab grab = source.GrabFrame(&files, kFrameWaitMs);
        if (grab == CVideoSource::Grab::Ended && !source.Error().empty())
            throw CommandFailure("the video source stopped: " + source.Error());
        if (grab != CVideoSource::Grab::Frame)
            break;
    }
    if (files.m_pRaw && std::fclose(files.m_pRaw.release()) != 0 && files.m_error.empty())
        files.m_error = "cannot write " + options.raw;
    if (!files.m_y4m.Close(&files.m_error) || !files.m_error.empty())
        throw CommandFailure(files.m_error);
    if (files.m_nFrames == 0)
        throw CommandFailure("the video source gave no frame");
    std::printf("video: %d frames to %s\n", files.m_nFrames, options.out.c_str());
}
} // namespace

void RegisterVideoCommands(CLI::App& app)
{
    CLI::App* video = app.add_subcommand("video", "Convert a video source's frames");
    video->require_subcommand(1);
    auto options = std::make_shared<Y4mOptions>();
    CLI::App* y4m = video->add_subcommand(
        "y4m", "Write a video source's frames as YUV4MPEG2, a browser's fake camera");
    y4m->add_option("CONFIG", options->config, "Video configuration file")->required();
    y4m->add_option("OUT", options->out, "The .y4m file to write")->required();
    y4m->add_option("--frames", options->frames, "Stop after N frames (default: end of stream)")
        ->check(CLI::PositiveNumber);
    y4m->add_option("--raw", options->raw,
                    "Also write the frames as the tracking sees them, 4 bytes a pixel (BGRA)");
    y4m->callback([options] { RunY4m(*options); });
}
