#include "support/pattern_files.h"

#include <fstream>
#include <random>

void WriteRandomPatternFile(const std::string& path, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> intensity(0, 255);
    std::ofstream out(path);
    for (int k = 0; k < 3072; ++k)
        out << intensity(random) << ((k % 16 == 15) ? '\n' : ' ');
}
