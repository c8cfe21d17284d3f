#pragma once
// Getting project bytes on and off the disk. Errors are thrown as
// std::runtime_error with a message a user can act on.

#include <string>

// The whole file; refuses files larger than any project could sensibly be.
std::string ReadProjectFile(const std::string& path);

// WriteFileAtomically (replace_file.h) with the reason thrown: the old file
// survives a full disk or a denied write.
void WriteProjectFileAtomically(const std::string& path, const std::string& bytes);

std::string AbsoluteProjectPath(const std::string& path);
