#include "cli/cli_commands.h"

#include "document/zelmora_doc.h"
#include "formats/project_file.h"
#include "publish/site_plan.h"
#include "publish/site_publisher.h"
#include "publish/site_server.h"

#include <cstdio>
#include <csignal>
#include <memory>

namespace
{
struct PublishCommandOptions
{
    std::string project;
    std::string out;
    double fov = 60.0;
    bool serve = false;
    int port = 8000;
};

// Serves the site until Ctrl+C or a termination request. The signals are
// blocked before the server's threads start, so they inherit the mask and
// only sigwait takes them.
void Serve(const std::string& site, int port)
{
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    CSiteServer server;
    std::string error;
    if (!server.Start(site, port, &error))
        throw CommandFailure("cannot serve the site: " + error);
    std::printf("serving %s at http://localhost:%d/ (Ctrl+C stops)\n", site.c_str(),
                server.Port());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stop, &signal);
    server.Stop();
}

void RunPublish(const PublishCommandOptions& options)
{
    // Loading moves the current directory to the project's folder.
    const std::string out = AbsoluteProjectPath(options.out);
    CZelmoraDoc doc;
    doc.OnNewDocument();
    std::string error;
    if (!doc.OpenProject(options.project, &error, false))
        throw CommandFailure(error);
    PublishedProject project{FileStem(options.project), doc.m_strProjectDir, doc.m_settings,
                             doc.m_trackers};
    PublishOptions publish;
    publish.fFovDegrees = options.fov;
    if (!PublishSite(project, out, publish, &error))
        throw CommandFailure("nothing was written: " + error);
    size_t models = 0;
    for (const CTracker& tracker : doc.m_trackers)
        models += tracker.m_models.size();
    std::printf("publish: %s (%zu trackers, %zu models)\n", out.c_str(), doc.m_trackers.size(),
                models);
    if (options.serve)
        Serve(out, options.port);
}
} // namespace

void RegisterPublishCommands(CLI::App& app)
{
    auto options = std::make_shared<PublishCommandOptions>();
    CLI::App* publish = app.add_subcommand(
        "publish", "Write a project as a static web site that tracks its markers in a browser");
    publish->add_option("PROJECT", options->project, "Project file")->required();
    publish->add_option("OUTDIR", options->out, "Folder to write (new, empty or an earlier site)")
        ->required();
    publish
        ->add_option("--fov", options->fov,
                     "Horizontal field of view in degrees of the camera assumed when the "
                     "browser's video is not the calibrated size")
        ->check(FiniteNumber() & CLI::Range(kMinFovDegrees, kMaxFovDegrees));
    publish->add_flag("--serve", options->serve,
                      "Then serve the site on localhost, where browsers allow the camera");
    publish->add_option("--port", options->port, "Port for --serve (0: any free one)")
        ->check(CLI::Range(0, 65535));
    publish->callback([options] { RunPublish(*options); });
}
