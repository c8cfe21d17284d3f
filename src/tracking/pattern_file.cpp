#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace
{
// Norm given to a template without contrast: it then scores 0 against any
// sample instead of dividing by zero.
constexpr double kFlatTemplateNorm = 0.0000001;

struct FileCloser
{
    FILE* file;
    ~FileCloser() { std::fclose(file); }
};

// One "%d" conversion: optional white space, an optional sign and at least
// one digit. Values outside 0..255 are not intensities; refusing them keeps
// the correlation sums inside 32-bit range.
bool ReadIntensity(FILE* file, int* value)
{
    int c = std::getc(file);
    while (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')
        c = std::getc(file);
    bool negative = false;
    if (c == '+' || c == '-')
    {
        negative = c == '-';
        c = std::getc(file);
    }
    if (c < '0' || c > '9')
        return false;
    long long magnitude = 0;
    for (; c >= '0' && c <= '9'; c = std::getc(file))
        if (magnitude <= 255)
            magnitude = magnitude * 10 + (c - '0');
    if (c != EOF)
        std::ungetc(c, file);
    if (negative && magnitude != 0)
        return false;
    if (magnitude > 255)
        return false;
    *value = static_cast<int>(magnitude);
    return true;
}

// The file stores each block plane by plane; templates are kept
// [row][column][channel], inverted so that dark ink weighs positively.
bool ReadTemplates(FILE* file, int templates[kPatternOrientations][kPatternValues],
                   double norms[kPatternOrientations])
{
    for (int h = 0; h < kPatternOrientations; ++h)
    {
        int sum = 0;
        for (int channel = 0; channel < kPatternChannels; ++channel)
            for (int row = 0; row < kPatternSide; ++row)
                for (int column = 0; column < kPatternSide; ++column)
                {
                    int value = 0;
                    if (!ReadIntensity(file, &value))
                        return false;
                    const int inverted = 255 - value;
                    templates[h][(row * kPatternSide + column) * kPatternChannels + channel] =
                        inverted;
                    sum += inverted;
                }
        const int mean = sum / kPatternValues;
        double squares = 0.0;
        for (int i = 0; i < kPatternValues; ++i)
        {
            templates[h][i] -= mean;
            squares += static_cast<double>(templates[h][i]) * templates[h][i];
        }
        norms[h] = squares == 0.0 ? kFlatTemplateNorm : std::sqrt(squares);
    }
    return true;
}
} // namespace

int loadPattern(const char* path)
{
    PatternTable& table = trackingState().patterns;
    if (table.count == -1)
    {
        for (int& used : table.inUse)
            used = 0;
        table.count = 0;
    }

    int slot = 0;
    while (slot < kPatternSlots && table.inUse[slot])
        ++slot;
    if (slot == kPatternSlots)
        return -1;

    FILE* file = std::fopen(path, "r");
    if (!file)
    {
        std::printf("\"%s\" not found!!\n", path);
        return -1;
    }
    FileCloser closer{file};
    if (!ReadTemplates(file, table.templates[slot], table.norms[slot]))
    {
        std::printf("Pattern Data read error!!\n");
        return -1;
    }
    table.inUse[slot] = 1;
    ++table.count;
    return slot;
}

int freePattern(int slot)
{
    PatternTable& table = trackingState().patterns;
    if (slot < 0 || slot >= kPatternSlots || !table.inUse[slot])
        return -1;
    table.inUse[slot] = 0;
    --table.count;
    return 1;
}
