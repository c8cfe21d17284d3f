#pragma once
// Where a request target leads inside the published folder, and the type a
// browser is told for each file. Nothing outside the folder is ever named:
// "." and ".." segments, encoded slashes and NUL bytes are refused before the
// file system is asked, and a path that resolves elsewhere through a
// symbolic link is answered as missing.

#include <string>

struct SiteTarget
{
    int nStatus = 404;       // 200, 301, 400 (broken escape), 403 or 404
    std::string strPath;     // for 200: the regular file, its symbolic links resolved
    std::string strLocation; // for 301: the folder's address with its slash
};

// `root` must be a folder's canonical path (realpath); `target` is the
// request target as sent, starting with "/". A folder gives its index.html;
// a folder named without its trailing slash is redirected to it, so the
// page's relative links resolve inside the folder.
SiteTarget ResolveSiteTarget(const std::string& root, const std::string& target);

// The Content-Type for a file name, by its extension in any case.
const char* SiteContentType(const std::string& path);
