#include "tracking/pattern_file.h"

#include "tracking/regular_file.h"

#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

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
bool ReadIntensity(FILE* file, unsigned char* value)
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
    int magnitude = 0;
    for (; c >= '0' && c <= '9'; c = std::getc(file))
        if (magnitude <= 255)
            magnitude = magnitude * 10 + (c - '0');
    if (c != EOF)
        std::ungetc(c, file);
    if ((negative && magnitude != 0) || magnitude > 255)
        return false;
    *value = static_cast<unsigned char>(magnitude);
    return true;
}

// Templates are kept inverted, so that dark ink weighs positively, and
// mean-free, so that the correlation ignores overall brightness.
void BuildTemplate(const unsigned char block[kPatternValues], int templ[kPatternValues],
                   double* norm)
{
    int sum = 0;
    for (int i = 0; i < kPatternValues; ++i)
    {
        templ[i] = 255 - block[i];
        sum += templ[i];
    }
    const int mean = sum / kPatternValues;
    double squares = 0.0;
    for (int i = 0; i < kPatternValues; ++i)
    {
        templ[i] -= mean;
        squares += static_cast<double>(templ[i]) * templ[i];
    }
    *norm = squares == 0.0 ? kFlatTemplateNorm : std::sqrt(squares);
}
} // namespace

PatternFileStatus readPatternFile(const char* path,
                                  unsigned char blocks[kPatternOrientations][kPatternValues],
                                  int* valuesRead)
{
    FILE* file = IsRegularFile(path) ? std::fopen(path, "r") : nullptr;
    if (!file)
        return PatternFileStatus::CannotOpen;
    FileCloser closer{file};
    int count = 0;
    PatternFileStatus status = PatternFileStatus::Ok;
    for (int h = 0; h < kPatternOrientations && status == PatternFileStatus::Ok; ++h)
        for (int channel = 0; channel < kPatternChannels && status == PatternFileStatus::Ok;
             ++channel)
            for (int row = 0; row < kPatternSide && status == PatternFileStatus::Ok; ++row)
                for (int column = 0; column < kPatternSide; ++column)
                {
                    const int index = (row * kPatternSide + column) * kPatternChannels + channel;
                    if (!ReadIntensity(file, &blocks[h][index]))
                    {
                        status = PatternFileStatus::ReadError;
                        break;
                    }
                    ++count;
                }
    if (valuesRead)
        *valuesRead = count;
    return status;
}

std::string patternFileText(const unsigned char blocks[kPatternOrientations][kPatternValues])
{
    std::string text;
    text.reserve(kPatternOrientations * kPatternValues * 4 + 16);
    char value[8];
    for (int h = 0; h < kPatternOrientations; ++h)
        for (int channel = 0; channel < kPatternChannels; ++channel)
        {
            for (int row = 0; row < kPatternSide; ++row)
                for (int column = 0; column < kPatternSide; ++column)
                {
                    const int index = (row * kPatternSide + column) * kPatternChannels + channel;
                    std::snprintf(value, sizeof value, "%3d%s", blocks[h][index],
                                  column + 1 < kPatternSide ? " " : "\n");
                    text += value;
                }
            text += '\n';
        }
    return text;
}

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

    unsigned char blocks[kPatternOrientations][kPatternValues];
    switch (readPatternFile(path, blocks))
    {
    case PatternFileStatus::CannotOpen:
        std::printf("\"%s\" not found!!\n", path);
        return -1;
    case PatternFileStatus::ReadError:
        std::printf("Pattern Data read error!!\n");
        return -1;
    case PatternFileStatus::Ok:
        break;
    }
    for (int h = 0; h < kPatternOrientations; ++h)
        BuildTemplate(blocks[h], table.templates[slot][h], &table.norms[slot][h]);
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

void OrientationBlocks(const unsigned char block0[kPatternValues],
                       unsigned char blocks[kPatternOrientations][kPatternValues])
{
    std::memcpy(blocks[0], block0, kPatternValues);
    for (int h = 1; h < kPatternOrientations; ++h)
        for (int row = 0; row < kPatternSide; ++row)
            for (int column = 0; column < kPatternSide; ++column)
            {
                // A counter-clockwise quarter turn brings the right column to the top row.
                const int from =
                    (column * kPatternSide + (kPatternSide - 1 - row)) * kPatternChannels;
                const int to = (row * kPatternSide + column) * kPatternChannels;
                std::memcpy(&blocks[h][to], &blocks[h - 1][from], kPatternChannels);
            }
}
