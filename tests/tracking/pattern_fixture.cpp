#include "pattern_fixture.h"

unsigned char& Cell(PatternPicture& picture, int row, int column, int channel)
{
    return picture[(row * kPatternSide + column) * kPatternChannels + channel];
}

PatternPicture AsymmetricPicture(int seed)
{
    PatternPicture picture{};
    unsigned state = 2166136261u ^ static_cast<unsigned>(seed);
    for (unsigned char& value : picture)
    {
        state = state * 16777619u + 12345u;
        value = static_cast<unsigned char>((state >> 13) & 0xff);
    }
    return picture;
}

PatternPicture TurnedCounterClockwise(const PatternPicture& picture)
{
    PatternPicture source = picture;
    PatternPicture turned{};
    for (int row = 0; row < kPatternSide; ++row)
        for (int column = 0; column < kPatternSide; ++column)
            for (int channel = 0; channel < kPatternChannels; ++channel)
                Cell(turned, row, column, channel) =
                    Cell(source, column, kPatternSide - 1 - row, channel);
    return turned;
}

std::string PatternFileText(const PatternPicture& block0)
{
    std::string text;
    PatternPicture block = block0;
    for (int h = 0; h < kPatternOrientations; ++h)
    {
        for (int channel = 0; channel < kPatternChannels; ++channel)
        {
            for (int row = 0; row < kPatternSide; ++row)
            {
                for (int column = 0; column < kPatternSide; ++column)
                    text += std::to_string(Cell(block, row, column, channel)) +
                            (column < 15 ? " " : "\n");
            }
            text += "\n";
        }
        block = TurnedCounterClockwise(block);
    }
    return text;
}
