#pragma once
// File names as the project stores them: relative to the project's folder,
// so a project folder can be moved or copied to another machine whole.

#include <string>

// `file` (absolute, as a file dialog returns it) as the project stores it:
// the bare name when it lies in `projectDir`, a relative path such as
// "../markers/a.patt" when it lies elsewhere, and `file` itself when the
// project has no folder yet (`projectDir` empty) or no relative path exists.
std::string ProjectRelativePath(const std::string& file, const std::string& projectDir);

// A stored name back to an absolute path, for opening a file dialog on it;
// empty names and absolute paths come back unchanged.
std::string ResolveProjectPath(const std::string& name, const std::string& projectDir);
