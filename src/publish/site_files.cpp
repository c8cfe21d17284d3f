#include "publish/site_files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace
{
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One path segment percent-decoded; false for a broken escape.
bool DecodeSegment(const std::string& raw, std::string* decoded)
{
    decoded->clear();
    for (size_t i = 0; i < raw.size(); ++i)
    {
        if (raw[i] != '%')
        {
            decoded->push_back(raw[i]);
            continue;
        }
        const int high = i + 2 < raw.size() ? HexValue(raw[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(raw[i + 2]) : -1;
        if (low < 0)
            return false;
        decoded->push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return true;
}

// The canonical form of `path` when it exists and lies inside `root`; the
// status to answer otherwise.
int ResolveInside(const std::string& root, const std::string& path, std::string* resolved)
{
    char buffer[PATH_MAX];
    if (!realpath(path.c_str(), buffer))
        return errno == EACCES ? 403 : 404;
    *resolved = buffer;
    const bool bInside = *resolved == root || (resolved->compare(0, root.size(), root) == 0 &&
                                               (root == "/" || (*resolved)[root.size()] == '/'));
    return bInside ? 200 : 404;
}

// 200 when `path` is a regular file or a folder (*pFolder) inside `root`.
int Classify(const std::string& root, const std::string& path, std::string* resolved, bool* pFolder)
{
    *pFolder = false;
    const int status = ResolveInside(root, path, resolved);
    struct stat info;
    if (status != 200 || stat(resolved->c_str(), &info) != 0)
        return status != 200 ? status : 404;
    *pFolder = S_ISDIR(info.st_mode);
    return S_ISREG(info.st_mode) || *pFolder ? 200 : 404;
}
} // namespace

SiteTarget ResolveSiteTarget(const std::string& root, const std::string& target)
{
    SiteTarget result;
    if (target.empty() || target[0] != '/')
    {
        result.nStatus = 400;
        return result;
    }
    const size_t queryStart = target.find_first_of("?#");
    const std::string path = target.substr(0, queryStart);
    std::string relative;
    std::string segment;
    for (size_t start = 1; start <= path.size();)
    {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (!DecodeSegment(path.substr(start, end - start), &segment))
        {
            result.nStatus = 400;
            return result;
        }
        start = end + 1;
        if (segment.empty())
            continue;
        if (segment == "." || segment == ".." ||
            segment.find_first_of(std::string("/\0", 2)) != std::string::npos)
        {
            result.nStatus = 403;
            return result;
        }
        relative += "/" + segment;
    }

    std::string resolved;
    bool bFolder = false;
    result.nStatus = Classify(root, root + relative, &resolved, &bFolder);
    const bool bSlash = path.back() == '/';
    if (result.nStatus == 200 && bFolder)
    {
        if (!bSlash)
        {
            result.nStatus = 301;
            result.strLocation = target;
            result.strLocation.insert(path.size(), "/");
            return result;
        }
        result.nStatus = Classify(root, resolved + "/index.html", &resolved, &bFolder);
        if (bFolder)
            result.nStatus = 404;
    }
    else if (result.nStatus == 200 && bSlash)
        result.nStatus = 404; // a file named as a folder
    if (result.nStatus == 200)
        result.strPath = resolved;
    return result;
}

const char* SiteContentType(const std::string& path)
{
    // Module scripts and workers are refused under any other script type,
    // and WebAssembly.instantiateStreaming needs application/wasm.
    static const struct
    {
        const char* extension;
        const char* type;
    } kTypes[] = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".mjs", "text/javascript; charset=utf-8"},
        {".wasm", "application/wasm"},
        {".json", "application/json"},
        {".gltf", "model/gltf+json"},
        {".glb", "model/gltf-binary"},
        {".png", "image/png"},
        {".jpg", "image/jpeg"},
        {".jpeg", "image/jpeg"},
        {".css", "text/css; charset=utf-8"},
        {".y4m", "video/x-yuv4mpeg"},
    };
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return "application/octet-stream";
    std::string extension = path.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const auto& entry : kTypes)
        if (extension == entry.extension)
            return entry.type;
    return "application/octet-stream";
}
