#include "tracking/labeling.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{

// Labels are merged through a union-find whose representative is always the
// smaller label, so the final numbering is the same as rewriting the whole
// equivalence table on every merge, without the quadratic cost on noisy
// frames.
inline int Representative(int* equivalence, int label)
{
    int root = label;
    while (equivalence[root] != root)
        root = equivalence[root];
    while (equivalence[label] != root)
    {
        const int next = equivalence[label];
        equivalence[label] = root;
        label = next;
    }
    return root;
}

inline int Merge(int* equivalence, int a, int b)
{
    const int ra = Representative(equivalence, a);
    const int rb = Representative(equivalence, b);
    if (ra < rb)
    {
        equivalence[rb] = ra;
        return ra;
    }
    equivalence[ra] = rb;
    return rb;
}


inline unsigned char DarkAt(const unsigned char* pixels, int x, int limit)
{
    uint32_t pixel;
    std::memcpy(&pixel, pixels + 4 * static_cast<size_t>(x), sizeof(pixel));
    const int sum =
        static_cast<int>((pixel & 0xFFu) + ((pixel >> 8) & 0xFFu) + ((pixel >> 16) & 0xFFu));
    return sum <= limit;
}

#if defined(__SSE2__)
// Eight pixels against one limit: channel sums in 32-bit lanes, compared,
// and the two masks packed into eight mask bytes.
inline void MarkTileSse2(const unsigned char* pixels, int limit, unsigned char* dark)
{
    const __m128i byteMask = _mm_set1_epi32(0xFF);
    const __m128i above = _mm_set1_epi32(limit);
    __m128i masks[2];
    for (int half = 0; half < 2; ++half)
    {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 16 * half));
        const __m128i sum = _mm_add_epi32(
            _mm_add_epi32(_mm_and_si128(p, byteMask), _mm_and_si128(_mm_srli_epi32(p, 8), byteMask)),
            _mm_and_si128(_mm_srli_epi32(p, 16), byteMask));
        masks[half] = _mm_andnot_si128(_mm_cmpgt_epi32(sum, above), _mm_set1_epi32(1));
    }
    const __m128i words = _mm_packs_epi32(masks[0], masks[1]);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dark), _mm_packus_epi16(words, words));
}
#endif

// Row pixels 1..xsize-2 against one dark level (channel sums), eight at a
// time with SSE2 where the compiler targets it.
void MarkDark(const unsigned char* __restrict pixels, int xsize, int darkSum,
              unsigned char* __restrict dark)
{
    int x = 1;
#if defined(__SSE2__)
    for (; x + 8 <= xsize - 1; x += 8)
        MarkTileSse2(pixels + 4 * static_cast<size_t>(x), darkSum, dark + x);
#endif
    for (; x < xsize - 1; ++x)
        dark[x] = DarkAt(pixels, x, darkSum);
}

// The same against one limit per tile of kAdaptiveTilePx columns: whole
// tiles inside the row eight pixels at a time with SSE2 where the compiler
// targets it.
void MarkDarkAgainst(const unsigned char* __restrict pixels, int xsize,
                     const int* __restrict tileLimits, unsigned char* __restrict dark)
{
    const int wholeTiles = (xsize - 1) / kAdaptiveTilePx;
    for (int x = 1; x < std::min(kAdaptiveTilePx, xsize - 1); ++x)
        dark[x] = DarkAt(pixels, x, tileLimits[0]);
    for (int tile = 1; tile < wholeTiles; ++tile)
    {
        const int x0 = tile * kAdaptiveTilePx;
#if defined(__SSE2__)
        static_assert(kAdaptiveTilePx == 8, "the SSE2 path marks eight pixels");
        MarkTileSse2(pixels + 4 * static_cast<size_t>(x0), tileLimits[tile], dark + x0);
#else
        for (int j = 0; j < kAdaptiveTilePx; ++j)
            dark[x0 + j] = DarkAt(pixels, x0 + j, tileLimits[tile]);
#endif
    }
    for (int x = std::max(kAdaptiveTilePx, wholeTiles * kAdaptiveTilePx); x < xsize - 1; ++x)
        dark[x] = DarkAt(pixels, x, tileLimits[x / kAdaptiveTilePx]);
}

// A new label starts only at a dark pixel whose left, upper-left, upper and
// upper-right neighbours are all unlabelled, so the 2 x 2 blocks ending at
// two such pixels never overlap: a frame needs at most a quarter of its
// pixels as labels. The tables grow towards that bound only as far as a
// frame needs, so an ordinary frame keeps them small.
constexpr int kFirstLabelCapacity = 4096;

int LabelBound(int xsize, int ysize)
{
    return static_cast<int>(static_cast<int64_t>(xsize) * ysize / 4);
}

void ReserveLabels(LabelTables& tables, int capacity)
{
    tables.equivalence.resize(capacity + 1);
    tables.stats.resize(capacity + 1);
}

void PrepareTables(int xsize, int ysize, LabelTables& tables)
{
    tables.xsize = xsize;
    tables.ysize = ysize;
    // Eight bytes of slack: the bright-stretch test reads a word past the
    // last row's end.
    const size_t pixels = static_cast<size_t>(xsize) * ysize;
    tables.dark.resize(pixels + 8);
    if (tables.equivalence.empty())
        ReserveLabels(tables, std::min(kFirstLabelCapacity, LabelBound(xsize, ysize)));
    tables.provisionalCount = 0;
    tables.regions.clear();
    tables.labelRows.assign(2 * static_cast<size_t>(xsize), 0);

    unsigned char* dark = tables.dark.data();
    std::fill(dark, dark + xsize, 0);
    std::fill(dark + pixels - xsize, dark + pixels + 8, 0);
    for (int y = 1; y < ysize - 1; ++y)
    {
        dark[static_cast<size_t>(y) * xsize] = 0;
        dark[static_cast<size_t>(y) * xsize + xsize - 1] = 0;
    }
}

// Provisional labels to final region numbers, in order of first appearance,
// and the statistics of each region summed over its labels.
void Renumber(LabelTables& tables)
{
    if (tables.finalLabel.size() < tables.equivalence.size())
        tables.finalLabel.resize(tables.equivalence.size());
    int* equivalence = tables.equivalence.data();
    int* finalLabel = tables.finalLabel.data();
    finalLabel[0] = 0;
    int regionCount = 0;
    for (int label = 1; label <= tables.provisionalCount; ++label)
    {
        const int root = Representative(equivalence, label);
        finalLabel[label] = root == label ? ++regionCount : finalLabel[root];
    }

    // A region's representative is its smallest label, so the first label
    // met of each region starts its sum.
    std::vector<LabelStats>& sums = tables.sums;
    sums.resize(regionCount);
    for (int label = 1; label <= tables.provisionalCount; ++label)
    {
        const int index = finalLabel[label] - 1;
        const LabelStats& s = tables.stats[label];
        LabelStats& sum = sums[index];
        if (equivalence[label] == label)
        {
            sum = s;
            continue;
        }
        sum.count += s.count;
        sum.sumX += s.sumX;
        sum.sumY += s.sumY;
        sum.minX = std::min(sum.minX, s.minX);
        sum.maxX = std::max(sum.maxX, s.maxX);
        sum.minY = std::min(sum.minY, s.minY);
        sum.maxY = std::max(sum.maxY, s.maxY);
    }

    tables.regions.resize(regionCount);
    for (int i = 0; i < regionCount; ++i)
    {
        const LabelStats& sum = sums[i];
        Region& region = tables.regions[i];
        region.area = sum.count;
        region.pos[0] = static_cast<double>(sum.sumX) / sum.count;
        region.pos[1] = static_cast<double>(sum.sumY) / sum.count;
        region.minX = sum.minX;
        region.maxX = sum.maxX;
        region.minY = sum.minY;
        region.maxY = sum.maxY;
        region.startX = sum.startX;
    }
}

// The raster pass over the frame; markRow(y, pixels, dark) writes row y's
// dark mask before the row is labelled.
template <typename MarkRow>
void LabelRows(const unsigned char* frame, int xsize, int ysize, LabelTables& tables,
               MarkRow markRow)
{
    if (xsize < 3 || ysize < 3)
    {
        // No inner pixel: nothing can be dark.
        tables.xsize = std::max(xsize, 0);
        tables.ysize = std::max(ysize, 0);
        tables.dark.assign(static_cast<size_t>(tables.xsize) * tables.ysize + 8, 0);
        tables.provisionalCount = 0;
        tables.regions.clear();
        return;
    }
    PrepareTables(xsize, ysize, tables);
    int* equivalence = tables.equivalence.data();
    LabelStats* stats = tables.stats.data();
    int labelCount = 0;

    uint32_t* up = tables.labelRows.data();
    uint32_t* row = up + xsize;
    for (int y = 1; y < ysize - 1; ++y)
    {
        const unsigned char* pixels = frame + static_cast<size_t>(y) * xsize * 4;
        unsigned char* dark = tables.dark.data() + static_cast<size_t>(y) * xsize;
        // Most pixels are bright: mark the dark ones in a tight loop first,
        // then skip bright stretches eight at a time.
        markRow(y, pixels, dark);
        std::swap(up, row);
        std::fill(row + 1, row + xsize - 1, 0);
        for (int x = 1; x < xsize - 1; ++x)
        {
            if (!dark[x])
            {
                uint64_t word;
                std::memcpy(&word, &dark[x], sizeof(word));
                if (word == 0)
                    x += 7;
                continue;
            }
            // A run of dark pixels belongs to one region, so it is labelled
            // and counted at once. Its first pixel picks or starts the label
            // as a pixel-by-pixel pass would (so the labels and their bound
            // stay the same); the rest of the run joins whatever touches it
            // from above.
            const int first = x;
            while (dark[x + 1])
                ++x;
            const int last = x;
            int label;
            if (up[first] > 0)
                label = up[first];
            else if (up[first + 1] > 0 && up[first - 1] > 0)
                label = Merge(equivalence, up[first + 1], up[first - 1]);
            else if (up[first + 1] > 0)
                label = up[first + 1];
            else if (up[first - 1] > 0)
                label = up[first - 1];
            else
            {
                if (labelCount + 1 == static_cast<int>(tables.equivalence.size()))
                {
                    ReserveLabels(tables,
                                  std::max(labelCount + 1,
                                           std::min(2 * labelCount, LabelBound(xsize, ysize))));
                    equivalence = tables.equivalence.data();
                    stats = tables.stats.data();
                }
                label = ++labelCount;
                equivalence[label] = label;
                stats[label] = LabelStats{0, 0, 0, first, last, y, y, first};
            }
            for (int u = first + 2; u <= last + 1; ++u)
                if (up[u] > 0 && up[u] != up[u - 1])
                    label = Merge(equivalence, label, up[u]);

            const int length = last - first + 1;
            LabelStats& s = stats[label];
            s.count += length;
            s.sumX += static_cast<int64_t>(first + last) * length / 2;
            s.sumY += static_cast<int64_t>(y) * length;
            s.minX = std::min(s.minX, first);
            s.maxX = std::max(s.maxX, last);
            s.maxY = y;
            std::fill(row + first, row + last + 1, static_cast<uint32_t>(label));
        }
    }

    tables.provisionalCount = labelCount;
    Renumber(tables);
}
} // namespace

void labelImage(const unsigned char* frame, int xsize, int ysize, int threshold,
                LabelTables& tables)
{
    const int darkSum = 3 * threshold;
    LabelRows(frame, xsize, ysize, tables,
              [&](int, const unsigned char* pixels, unsigned char* dark)
              { MarkDark(pixels, xsize, darkSum, dark); });
}

void labelImage(const unsigned char* frame, AdaptiveThresholdMap& map, LabelTables& tables)
{
    const int xsize = map.xsize;
    LabelRows(frame, xsize, map.ysize, tables,
              [&](int y, const unsigned char* pixels, unsigned char* dark)
              { MarkDarkAgainst(pixels, xsize, adaptiveRowLimits(map, y), dark); });
}
