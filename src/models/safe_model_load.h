#pragma once
// Loading a glTF, GLB, OBJ, FBX or Collada model behind the same safety
// layers as a 3DS file: the file is read into memory once and checked for
// the format its bytes show; a child process imports it through assimp;
// only then is it imported in this process. The textures its materials
// name (from the model's folder or stored inside the file) must pass a
// header check, and a second child decodes every one of them before the
// program does.

#include "models/assimp_import.h"
#include "formats/child_probe.h"

#include <string>

// directory is prepended to texture names (empty, or ending in '/'). False
// with a one-line reason that names the format when the file is missing,
// unreadable, of no known format, or refused; *pModel is untouched then.
bool LoadCheckedMesh(const std::string& path, const std::string& directory, CMeshModel* pModel,
                     std::string* pReason, const ProbeLimits& limits = {});

// The format of the file at path by its first bytes (and its name when they
// tell nothing); Unknown when it cannot be read.
ModelFormat SniffModelFile(const std::string& path);
