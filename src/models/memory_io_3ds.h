#pragma once
// lib3ds reading from and writing to bytes in memory through its Lib3dsIo callbacks, so the
// probe and the program parse exactly the bytes the checker passed, and a
// read past the end is an error rather than a stream of zeros.

#include <memory>
#include <string>

struct Lib3dsFile;

struct C3dsFileDeleter
{
    void operator()(Lib3dsFile* pFile) const;
};
using Unique3dsFile = std::unique_ptr<Lib3dsFile, C3dsFileDeleter>;

// Null when lib3ds reports failure. Only for bytes that passed the checker
// and the probe: lib3ds itself is not safe on damaged input.
Unique3dsFile Load3dsFromMemory(const std::string& bytes);

// The file's bytes as lib3ds writes them, for the atomic file writer.
bool Save3dsToMemory(Lib3dsFile* file, std::string* bytes);
