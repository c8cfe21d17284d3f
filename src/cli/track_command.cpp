#include "cli/cli_commands.h"

#include "cli/library_output.h"

#include "formats/project_file.h"
#include "document/zelmora_doc.h"
#include "demo/headless_frames.h"
#include "cli/track_output.h"
#include "project/user_messages.h"

#include <cstdio>
#include <memory>

namespace
{
constexpr int kProgressEveryFrames = 250;

struct TrackOptions
{
    std::string project;
    std::string video;
    int frames = 0; // 0: until the stream ends
    std::string format = "csv";
    std::string out;
};

// Prints messages as they come and keeps the last, so a refused run can
// end with its reason.
class CTrackMessages : public CStderrMessages
{
public:
    CTrackMessages() { SetUserMessages(this); }
    ~CTrackMessages() override { SetUserMessages(nullptr); }
    MessageAnswer Show(const UserMessage& message) override
    {
        m_strLast = message.text;
        return CStderrMessages::Show(message);
    }
    std::string m_strLast;
};

void RunTrack(const TrackOptions& options)
{
    // The camera printout and the library's diagnostics go to standard
    // error, so standard output carries nothing but the poses.
    CLibraryOutputToStderr diagnostics;
    CTrackMessages messages;
    // Loading moves the current directory to the project's folder; names
    // given on the command line are the user's, so they are fixed first.
    const std::string video = options.video.empty() ? "" : AbsoluteProjectPath(options.video);
    const std::string out = options.out.empty() ? "" : AbsoluteProjectPath(options.out);

    CZelmoraDoc doc;
    doc.OnNewDocument();
    std::string error;
    if (!doc.OpenProject(options.project, &error))
        throw CommandFailure(error);
    if (!video.empty())
        doc.m_settings.m_strVideoConfig = video;
    if (!doc.StartCapture(true))
        throw CommandFailure("");

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(nullptr, std::fclose);
    if (!out.empty())
    {
        file.reset(std::fopen(out.c_str(), "w"));
        if (!file)
            throw CommandFailure("cannot write " + out);
    }
    CTrackOutput output(file ? file.get() : diagnostics.Data(), options.format == "jsonl"
                                                        ? CTrackOutput::Format::JsonLines
                                                        : CTrackOutput::Format::Csv);
    int frame = 0;
    while (options.frames == 0 || frame < options.frames)
    {
        std::string stuck;
        if (NextHeadlessFrame(doc, &stuck) != CVideoSource::Grab::Frame)
        {
            if (stuck.empty())
                break;
            doc.OnStopCapture();
            throw CommandFailure(stuck);
        }
        output.WriteFrame(frame, doc.m_trackers);
        ++frame;
        if (frame % kProgressEveryFrames == 0)
            std::fprintf(stderr, "track: %d frames\n", frame);
    }
    doc.OnStopCapture();
    if (file && std::fflush(file.get()) != 0)
        throw CommandFailure("cannot write " + out);
    if (file)
        diagnostics.WriteData(output.Summary(doc.m_trackers));
    else
        std::fputs(output.Summary(doc.m_trackers).c_str(), stderr);
}
} // namespace

void RegisterTrackCommands(CLI::App& app)
{
    auto options = std::make_shared<TrackOptions>();
    CLI::App* track = app.add_subcommand(
        "track", "Run a project's live tracking without a window and write every pose");
    track->add_option("PROJECT", options->project, "Project file")->required();
    track->add_option("--video", options->video, "Video configuration instead of the project's");
    track->add_option("--frames", options->frames, "Stop after N frames (default: end of stream)")
        ->check(CLI::PositiveNumber);
    track->add_option("--format", options->format, "csv or jsonl")
        ->check(CLI::IsMember({"csv", "jsonl"}));
    track->add_option("--out", options->out, "Write to FILE instead of standard output");
    track->callback([options] { RunTrack(*options); });
}
