#pragma once
// Publishing a project as a static web site: the page and its tracking
// built to WebAssembly (the web runtime, built with the program), the
// project's pattern files and camera file as they are, its models as
// binary glTF, and `site.json` describing the trackers. All or nothing: the
// site is assembled beside OUTDIR and moved into place only when complete,
// so a failure leaves OUTDIR as it was.

#include "document/dialog_host.h"

#include <functional>
#include <list>
#include <string>

class CTracker;

struct PublishOptions
{
    // The ideal camera's horizontal field of view, used when the browser's
    // video is not the size the project's calibration was made at.
    double fFovDegrees = 60.0;
    // Empty: WebRuntimeDir().
    std::string strRuntimeDir;
};

constexpr double kMinFovDegrees = 10.0;
constexpr double kMaxFovDegrees = 150.0;

// Steps done and their total; false cancels the publishing.
using PublishProgress = std::function<bool(int done, int total)>;

// What a site needs of the project; copies, so a worker thread may publish
// while the window goes on.
struct PublishedProject
{
    std::string strTitle;
    std::string strProjectDir; // ends with '/'; stored names resolve against it
    CProjectSettings settings;
    std::list<CTracker> trackers;
};

// False with a one-line reason (a missing or unreadable pattern, camera or
// model file names the tracker and the file); OUTDIR is then untouched.
bool PublishSite(const PublishedProject& project, const std::string& outDir,
                 const PublishOptions& options, std::string* pError,
                 const PublishProgress& progress = {});

// Where the built web runtime is: $ZELMORA_WEB_RUNTIME, the installed
// share/zelmora/web beside the program, or the build tree's.
std::string WebRuntimeDir();
