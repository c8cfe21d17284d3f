#include "cli/cli_commands.h"

#include "cli/library_output.h"
#include "demo/project_render.h"

#include <cstdio>
#include <memory>

namespace
{
constexpr int kMaxPictureSide = 8192;

// An output the renderer cannot write is a usage error, found before the
// project is even opened.
std::string CheckOutput(const std::string& path)
{
    if (RenderOutputKind(path) != RenderOutput::Unknown)
        return "";
    return "OUT must end in .webm, or in .png with one %04d for the frame number: " + path;
}

void RunRender(const CRenderOptions& options)
{
    // The camera printout and the library's diagnostics stay off standard
    // output, as in `track`.
    CLibraryOutputToStderr diagnostics;
    int frames = 0;
    std::string error;
    if (!RenderProject(options, &frames, &error))
        throw CommandFailure(error);
    std::fprintf(stderr, "render: %d frames to %s\n", frames, options.strOut.c_str());
}
} // namespace

void RegisterRenderCommands(CLI::App& app)
{
    auto options = std::make_shared<CRenderOptions>();
    auto size = std::make_shared<std::vector<int>>();
    CLI::App* render = app.add_subcommand(
        "render", "Draw a project's live area over every video frame into WebM or PNG files");
    render->add_option("PROJECT", options->strProject, "Project file")->required();
    render->add_option("OUT", options->strOut, "OUT.webm, or OUT%04d.png for numbered pictures")
        ->required()
        ->check(CLI::Validator(CheckOutput, "OUT.webm|OUT%04d.png"));
    render->add_option("--video", options->strVideo, "Video configuration instead of the project's");
    render->add_option("--frames", options->nFrames, "Stop after N frames (default: end of video)")
        ->check(CLI::PositiveNumber);
    render->add_option("--size", *size, "Picture width and height (default: the video's)")
        ->expected(2)
        ->check(CLI::Range(1, kMaxPictureSide));
    render->add_option("--view", options->strView, "live, or the editor's front, side or top view")
        ->check(CLI::IsMember({"live", "front", "side", "top"}));
    render->callback(
        [options, size]
        {
            if (size->size() == 2)
            {
                options->nWidth = (*size)[0];
                options->nHeight = (*size)[1];
            }
            RunRender(*options);
        });
}
