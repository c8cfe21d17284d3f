#pragma once
// Getting project bytes on and off the disk. Errors are thrown as
// std::runtime_error with a message a user can act on.

#include <string>

// The whole file; refuses files larger than any project could sensibly be.
std::string ReadProjectFile(const std::string& path);

// Writes a temporary file in the target's folder, flushes it and renames it
// over the target: the old file survives a full disk or a denied write.
void WriteProjectFileAtomically(const std::string& path, const std::string& bytes);

std::string AbsoluteProjectPath(const std::string& path);
