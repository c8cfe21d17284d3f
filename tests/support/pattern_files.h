#pragma once
// Pattern files for tests that only need the library to load something.

#include <string>

// Writes 3072 pseudo-random intensities, different for each seed.
void WriteRandomPatternFile(const std::string& path, unsigned seed);
