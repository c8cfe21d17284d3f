#pragma once
// Conversions between the UTF-8 strings kept in memory and the Windows-1252
// bytes (or UTF-16 units) that project files hold.

#include <cstdint>
#include <optional>
#include <string>


// The Windows-1252 bytes of `utf8`, or nothing when a character has no
// Windows-1252 form (the caller then writes UTF-16 instead).
std::optional<std::string> Utf8ToWindows1252(const std::string& utf8);
std::string Windows1252ToUtf8(const std::string& bytes);

std::u16string Utf8ToUtf16(const std::string& utf8);
// Unpaired surrogates become U+FFFD, so any file content gives valid UTF-8.
std::string Utf16ToUtf8(const std::u16string& utf16);
