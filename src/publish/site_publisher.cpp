#include "publish/site_publisher.h"

#include "publish/site_plan.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// What every site needs of the runtime; checked before anything is written.
const char* const kRuntimeFiles[] = {"index.html", "app.js", "tracker-worker.js",
                                     "zelmora-tracker.js", "zelmora-tracker.wasm",
                                     "lib/three.module.min.js"};

bool IsRuntime(const fs::path& dir)
{
    std::error_code error;
    for (const char* file : kRuntimeFiles)
        if (!fs::is_regular_file(dir / file, error))
            return false;
    return true;
}

// An earlier site may be replaced, and an empty folder filled; anything
// else in OUTDIR is the user's and stays.
bool MayReplace(const fs::path& dir, std::string* pError)
{
    std::error_code error;
    if (!fs::exists(dir, error))
        return true;
    if (!fs::is_directory(dir, error))
        return (*pError = dir.string() + " exists and is not a folder", false);
    if (fs::is_empty(dir, error) ||
        (fs::is_regular_file(dir / "site.json", error) &&
         fs::is_regular_file(dir / "zelmora-tracker.wasm", error)))
        return true;
    *pError = dir.string() + " holds other files; choose an empty or new folder";
    return false;
}

// A fresh folder beside `dir`, named after it, for the new site or the old.
bool MakeSibling(const fs::path& dir, const char* kind, fs::path* pMade)
{
    std::string pattern = (dir.parent_path() / ("." + dir.filename().string() + kind)).string();
    pattern += "-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return false;
    *pMade = pattern;
    return true;
}

bool WriteFiles(const fs::path& dir, const std::vector<SiteFile>& files, std::string* pError)
{
    std::error_code error;
    for (const SiteFile& file : files)
    {
        const fs::path path = dir / file.strName;
        fs::create_directories(path.parent_path(), error);
        std::ofstream out(path, std::ios::binary);
        out.write(file.strBytes.data(), static_cast<std::streamsize>(file.strBytes.size()));
        out.close();
        if (!out)
            return (*pError = "cannot write " + path.string(), false);
    }
    return true;
}

bool Assemble(const fs::path& runtime, const std::vector<SiteFile>& files, const fs::path& site,
              std::string* pError)
{
    std::error_code error;
    fs::copy(runtime, site, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
             error);
    if (error)
        return (*pError = "cannot copy the web runtime: " + error.message(), false);
    if (!WriteFiles(site, files, pError))
        return false;
    // mkdtemp's folder is private; a web server must be able to read it.
    fs::permissions(site, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec,
                    error);
    return true;
}

// Moves the finished site to `dir`, setting an earlier one aside first and
// putting it back if the move fails.
bool MoveIntoPlace(const fs::path& site, const fs::path& dir, std::string* pError)
{
    std::error_code error;
    fs::path old;
    if (fs::exists(dir, error))
    {
        if (!MakeSibling(dir, ".old", &old))
            return (*pError = "cannot write beside " + dir.string(), false);
        fs::rename(dir, old, error);
        if (error)
        {
            fs::remove(old, error);
            return (*pError = "cannot replace " + dir.string() + ": " + error.message(), false);
        }
    }
    fs::rename(site, dir, error);
    if (error)
    {
        *pError = "cannot write " + dir.string() + ": " + error.message();
        if (!old.empty())
            fs::rename(old, dir, error);
        return false;
    }
    if (!old.empty())
        fs::remove_all(old, error);
    return true;
}
} // namespace

bool PublishSite(const PublishedProject& project, const std::string& outDir,
                 const PublishOptions& options, std::string* pError,
                 const PublishProgress& progress)
{
    if (!(options.fFovDegrees >= kMinFovDegrees && options.fFovDegrees <= kMaxFovDegrees))
        return (*pError = "the field of view must be between 10 and 150 degrees", false);
    const fs::path runtime = options.strRuntimeDir.empty() ? WebRuntimeDir() : options.strRuntimeDir;
    if (!IsRuntime(runtime))
        return (*pError = "the web runtime is missing from " + runtime.string() +
                          "; build the program with ZELMORA_BUILD_WEB on",
                false);
    fs::path dir = fs::absolute(outDir).lexically_normal();
    if (!dir.has_filename())
        dir = dir.parent_path();
    if (!MayReplace(dir, pError))
        return false;
    std::error_code error;
    if (!fs::is_directory(dir.parent_path(), error))
        return (*pError = "the folder " + dir.parent_path().string() + " does not exist", false);

    std::vector<SiteFile> files;
    if (!PlanSiteFiles(project, options, &files, pError, progress))
        return false;
    fs::path site;
    if (!MakeSibling(dir, ".part", &site))
        return (*pError = "cannot write beside " + dir.string(), false);
    if (Assemble(runtime, files, site, pError) && MoveIntoPlace(site, dir, pError))
        return true;
    fs::remove_all(site, error);
    return false;
}

std::string WebRuntimeDir()
{
    if (const char* chosen = std::getenv("ZELMORA_WEB_RUNTIME"); chosen && *chosen)
        return chosen;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error)
    {
        const fs::path installed = program.parent_path() / "../share/zelmora/web";
        if (IsRuntime(installed))
            return installed.lexically_normal().string();
    }
    return ZELMORA_BUILD_WEB_RUNTIME;
}
