#include "synth/pattern_picture.h"

#include "imaging/replace_file.h"
#include "tracking/pattern_file.h"

#include <algorithm>
#include <random>

namespace
{
constexpr int kBlocks = 4; // blocks per picture side
constexpr int kBlockCells = kPictureCells / kBlocks;
constexpr int kMinTurnDifference = 4; // blocks that must change under a quarter turn

using BlockGrid = bool[kBlocks][kBlocks];

int TurnDifference(const BlockGrid& grid, int turns)
{
    int differing = 0;
    for (int r = 0; r < kBlocks; ++r)
        for (int c = 0; c < kBlocks; ++c)
        {
            int sr = r, sc = c;
            for (int t = 0; t < turns; ++t)
            {
                const int nr = sc;
                sc = kBlocks - 1 - sr;
                sr = nr;
            }
            differing += grid[r][c] != grid[sr][sc];
        }
    return differing;
}

} // namespace

SynthPicture makeBlockPicture(uint32_t seed)
{
    std::mt19937 random(seed);
    BlockGrid grid;
    for (;;)
    {
        int dark = 0;
        for (auto& row : grid)
            for (bool& block : row)
            {
                block = (random() & 1u) != 0;
                dark += block;
            }
        if (dark < 4 || dark > 12)
            continue;
        if (TurnDifference(grid, 1) >= kMinTurnDifference &&
            TurnDifference(grid, 2) >= kMinTurnDifference)
            break;
    }

    SynthPicture picture;
    picture.width = kPictureCells;
    picture.height = kPictureCells;
    picture.bgr.resize(kPictureCells * kPictureCells * 3);
    for (int r = 0; r < kPictureCells; ++r)
        for (int c = 0; c < kPictureCells; ++c)
        {
            const unsigned char value = grid[r / kBlockCells][c / kBlockCells] ? 0 : 255;
            for (int k = 0; k < 3; ++k)
                picture.bgr[(r * kPictureCells + c) * 3 + k] = value;
        }
    return picture;
}

SynthPicture cellPicture(const SynthPicture& picture)
{
    SynthPicture cells;
    cells.width = kPictureCells;
    cells.height = kPictureCells;
    cells.bgr.assign(kPictureCells * kPictureCells * 3, 255);
    if (picture.width < 1 || picture.height < 1)
        return cells;
    averageCells(picture.bgr.data(), picture.width, picture.height, 3,
                 static_cast<size_t>(picture.width) * 3, cells.bgr.data());
    return cells;
}

void averageCells(const unsigned char* pixels, int width, int height, int pixelBytes,
                  size_t rowBytes, unsigned char cells[kPictureCells * kPictureCells * 3])
{
    for (int r = 0; r < kPictureCells; ++r)
        for (int c = 0; c < kPictureCells; ++c)
        {
            const int y0 = r * height / kPictureCells;
            const int y1 = std::max(y0 + 1, (r + 1) * height / kPictureCells);
            const int x0 = c * width / kPictureCells;
            const int x1 = std::max(x0 + 1, (c + 1) * width / kPictureCells);
            const long count = long(y1 - y0) * (x1 - x0);
            for (int k = 0; k < 3; ++k)
            {
                long sum = 0;
                for (int y = y0; y < y1; ++y)
                    for (int x = x0; x < x1; ++x)
                        sum += pixels[y * rowBytes + static_cast<size_t>(x) * pixelBytes + k];
                cells[(r * kPictureCells + c) * 3 + k] =
                    static_cast<unsigned char>((sum + count / 2) / count);
            }
        }
}

SynthPicture readPatternPicture(const std::string& path, std::string& error)
{
    unsigned char blocks[kPatternOrientations][kPatternValues];
    if (readPatternFile(path.c_str(), blocks) != PatternFileStatus::Ok)
    {
        error = "pattern file " + path + " cannot be read or does not hold 3072 values in 0..255";
        return SynthPicture();
    }
    SynthPicture picture;
    picture.width = kPictureCells;
    picture.height = kPictureCells;
    picture.bgr.assign(blocks[0], blocks[0] + kPatternValues);
    return picture;
}

bool writePatternFile(const std::string& path, const SynthPicture& picture)
{
    const SynthPicture cells = cellPicture(picture);
    unsigned char blocks[kPatternOrientations][kPatternValues];
    OrientationBlocks(cells.bgr.data(), blocks);
    return writePatternFile(path, blocks);
}

bool writePatternFile(const std::string& path,
                      const unsigned char blocks[kPatternOrientations][kPatternValues],
                      std::string* error)
{
    std::string reason;
    const bool written = ReplaceFile(path, patternFileText(blocks), "pattern file", &reason);
    if (!written && error)
        *error = reason;
    return written;
}
