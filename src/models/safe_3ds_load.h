#pragma once
// Loading a 3DS file and the textures its materials name, behind the three
// safety layers lib3ds 1.3 and DevIL 1.7 need: the file is read into memory
// once; the checker walks it; a child process parses the same bytes,
// evaluates every frame, computes the normals and decodes every texture;
// only then is the file parsed in this process, from the same bytes. The
// library's process-wide state therefore never sees a failing file.

#include "formats/child_probe.h"
#include "models/memory_io_3ds.h"
#include "models/mesh_pose.h"

#include <map>
#include <string>

// Files larger than this are refused before they are read.
constexpr long long kMax3dsFileBytes = 128LL << 20;
constexpr long long kMaxTextureFileBytes = 64LL << 20;

struct CLoaded3ds
{
    Unique3dsFile pFile;
    // Bytes of each texture file that exists and is a picture of an
    // accepted kind and size, by the name the material gives; the probe
    // decoded every one of them.
    std::map<std::string, std::string> textureBytes;
};

// directory is prepended to texture names (empty, or ending in '/').
// False with a one-line reason when the file is missing, unreadable or
// refused; *pLoaded is untouched then.
bool LoadChecked3ds(const std::string& path, const std::string& directory, CLoaded3ds* pLoaded,
                    std::string* pReason, const ProbeLimits& limits = {});

// Inside a probe: decodes every picture, as the program will; 0 when all
// decode, 3 for one SniffImage refuses, 4 for one the decoder fails on.
int DecodeTexturesForProbe(const std::map<std::string, std::string>& textures);

// Reads at most maxBytes of a file; false when it is missing, unreadable or
// larger.
bool ReadWholeFile(const std::string& path, long long maxBytes, std::string* pBytes,
                   std::string* pReason = nullptr);

// The path as given when it names a file; otherwise, when it holds
// backslashes (a name written on Windows), the same with forward slashes.
std::string ResolveWindowsPath(const std::string& path);

// The box around a 3DS file's mesh points, which are stored in the scene's
// frame already; node matrices only move them for animation.
ModelBox Box3ds(const Lib3dsFile& file);
