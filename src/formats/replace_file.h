#pragma once

#include <string>

// Writes `bytes` beside `path` and renames them over it, so a failed write
// leaves whatever was there before. `what` names the file in the message.
bool ReplaceFile(const std::string& path, const std::string& bytes, const std::string& what,
                 std::string* error);
