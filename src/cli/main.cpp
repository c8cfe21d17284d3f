#include "cli/cli_commands.h"
#include "render/software_gl_heap.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // `render` and `model render` draw offscreen, where Mesa usually has
    // only its software OpenGL.
    KeepHeapForSoftwareGl();
    CLI::App app("Zelmora: marker-based augmented reality projects without a window",
                 "zelmora-cli");
    app.require_subcommand(1);
    app.set_version_flag("--version", "zelmora-cli " ZELMORA_VERSION);
    RegisterProjectCommands(app);
    RegisterCameraCommands(app);
    RegisterMarkerCommands(app);
    RegisterDetectCommands(app);
    RegisterSynthCommands(app);
    RegisterModelCommands(app);
    RegisterTrackCommands(app);
    RegisterRenderCommands(app);
    RegisterDemoCommands(app);
    RegisterPublishCommands(app);
    RegisterVideoCommands(app);

    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::Success& e) // --help and --version
    {
        return app.exit(e);
    }
    catch (const CLI::ParseError& e)
    {
        app.exit(e);
        return 2;
    }
    catch (const CommandFailure& e)
    {
        // An empty reason was already reported as the user saw it.
        if (*e.what())
            std::fprintf(stderr, "zelmora-cli: %s\n", e.what());
        return 1;
    }
    return 0;
}
