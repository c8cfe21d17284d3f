#pragma once
// The project's part of a published site, made in memory before anything
// is written: each distinct pattern file, the camera file, every model as
// binary glTF, and `site.json` that ties them to the trackers.

#include "publish/site_publisher.h"

#include <string>
#include <vector>

struct SiteFile
{
    std::string strName; // relative to the site's folder
    std::string strBytes;
};

// False with a one-line reason naming the tracker and the file that cannot
// be used; *pFiles is then unchanged.
bool PlanSiteFiles(const PublishedProject& project, const PublishOptions& options,
                   std::vector<SiteFile>* pFiles, std::string* pError,
                   const PublishProgress& progress = {});

// The file's name without its folder and its last extension.
std::string FileStem(const std::string& path);

// A file name safe in any URL and on any host: ASCII letters, digits, '.',
// '-' and '_', other characters as '_'.
std::string SiteFileName(const std::string& name);
