#include "labeling_reference.h"

#include <algorithm>

namespace
{
void Count(LabelStats& s, int x, int y)
{
    ++s.count;
    s.sumX += x;
    s.sumY += y;
}

int MergeByRewrite(std::vector<int>& equivalence, int labelCount, int a, int b)
{
    const int ra = equivalence[a];
    const int rb = equivalence[b];
    const int low = std::min(ra, rb);
    const int high = std::max(ra, rb);
    if (low != high)
        for (int i = 1; i <= labelCount; ++i)
            if (equivalence[i] == high)
                equivalence[i] = low;
    return low;
}
} // namespace

void labelImageReference(const unsigned char* frame, int xsize, int ysize, int threshold,
                         LabelTables& tables)
{
    tables.xsize = xsize;
    tables.ysize = ysize;
    std::vector<uint32_t> image(static_cast<size_t>(xsize) * ysize, 0);
    // A new label needs four unlabelled neighbours: at most one per 2 x 2 block.
    const size_t capacity = static_cast<size_t>(xsize) * ysize / 4 + 1;
    tables.equivalence.assign(capacity, 0);
    tables.stats.assign(capacity, LabelStats());
    tables.finalLabel.assign(capacity, 0);
    tables.regions.clear();
    std::vector<int>& eq = tables.equivalence;
    int labelCount = 0;

    auto at = [&](int x, int y) -> uint32_t& { return image[y * xsize + x]; };
    for (int y = 1; y < ysize - 1; ++y)
        for (int x = 1; x < xsize - 1; ++x)
        {
            const unsigned char* p = frame + 4 * (static_cast<size_t>(y) * xsize + x);
            if (p[0] + p[1] + p[2] > 3 * threshold)
                continue;
            const int u = at(x, y - 1), ul = at(x - 1, y - 1), ur = at(x + 1, y - 1);
            const int l = at(x - 1, y);
            int label;
            if (u > 0)
            {
                label = u;
                Count(tables.stats[label], x, y);
                tables.stats[label].maxY = y;
            }
            else if (ur > 0 && ul > 0)
            {
                label = MergeByRewrite(eq, labelCount, ur, ul);
                Count(tables.stats[label], x, y);
                tables.stats[label].maxY = y;
            }
            else if (ur > 0 && l > 0)
            {
                label = MergeByRewrite(eq, labelCount, ur, l);
                Count(tables.stats[label], x, y);
            }
            else if (ur > 0)
            {
                label = ur;
                LabelStats& s = tables.stats[label];
                Count(s, x, y);
                s.minX = std::min(s.minX, x);
                s.maxY = y;
            }
            else if (ul > 0)
            {
                label = ul;
                LabelStats& s = tables.stats[label];
                Count(s, x, y);
                s.maxX = std::max(s.maxX, x);
                s.maxY = y;
            }
            else if (l > 0)
            {
                label = l;
                LabelStats& s = tables.stats[label];
                Count(s, x, y);
                s.maxX = std::max(s.maxX, x);
            }
            else
            {
                label = ++labelCount;
                eq[label] = label;
                tables.stats[label] = LabelStats{1, x, y, x, x, y, y};
            }
            at(x, y) = static_cast<uint32_t>(label);
        }

    int regionCount = 0;
    for (int i = 1; i <= labelCount; ++i)
        tables.finalLabel[i] = eq[i] == i ? ++regionCount : tables.finalLabel[eq[i]];
    tables.provisionalCount = labelCount;
    tables.regions.assign(regionCount, Region());
    std::vector<LabelStats> sums(regionCount);
    for (auto& s : sums)
    {
        s.minX = s.minY = 1 << 30;
        s.maxX = s.maxY = -1;
    }
    for (int i = 1; i <= labelCount; ++i)
    {
        LabelStats& sum = sums[tables.finalLabel[i] - 1];
        const LabelStats& s = tables.stats[i];
        sum.count += s.count;
        sum.sumX += s.sumX;
        sum.sumY += s.sumY;
        sum.minX = std::min(sum.minX, s.minX);
        sum.maxX = std::max(sum.maxX, s.maxX);
        sum.minY = std::min(sum.minY, s.minY);
        sum.maxY = std::max(sum.maxY, s.maxY);
    }
    for (int r = 0; r < regionCount; ++r)
    {
        Region& region = tables.regions[r];
        region.area = sums[r].count;
        region.pos[0] = static_cast<double>(sums[r].sumX) / region.area;
        region.pos[1] = static_cast<double>(sums[r].sumY) / region.area;
        region.minX = sums[r].minX;
        region.maxX = sums[r].maxX;
        region.minY = sums[r].minY;
        region.maxY = sums[r].maxY;
        // The contour starts at the first pixel of the top row in the region.
        region.startX = region.minX;
        while (tables.finalLabel[at(region.startX, region.minY)] != r + 1)
            ++region.startX;
    }
    tables.dark.assign(image.size(), 0);
    for (size_t i = 0; i < image.size(); ++i)
        tables.dark[i] = image[i] > 0;
}
