#include "document/project_paths.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
// A trailing separator would leave an empty last element that
// lexically_relative counts as one more folder to climb out of.
fs::path FolderPath(const std::string& projectDir)
{
    fs::path folder = fs::path(projectDir).lexically_normal();
    if (!folder.has_filename() && folder.has_parent_path() && folder != folder.root_path())
        folder = folder.parent_path();
    return folder;
}
} // namespace

std::string ProjectRelativePath(const std::string& file, const std::string& projectDir)
{
    if (projectDir.empty() || file.empty())
        return file;
    const fs::path relative =
        fs::path(file).lexically_normal().lexically_relative(FolderPath(projectDir));
    return relative.empty() ? file : relative.generic_string();
}

std::string ResolveProjectPath(const std::string& name, const std::string& projectDir)
{
    if (name.empty() || projectDir.empty() || fs::path(name).is_absolute())
        return name;
    return (FolderPath(projectDir) / name).lexically_normal().generic_string();
}
