#include "demo/marker_image.h"

#include "synth/pattern_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace
{
// Weights of the source pixels that cover each destination pixel when a
// line of `from` pixels is stretched or squeezed onto `to` pixels.
struct Footprint
{
    int first = 0;
    std::vector<double> weights;
};

std::vector<Footprint> Footprints(int from, int to)
{
    std::vector<Footprint> footprints(to);
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i)
    {
        const double start = i * scale;
        const double end = (i + 1) * scale;
        Footprint& f = footprints[i];
        f.first = static_cast<int>(start);
        const int last = std::min(from - 1, static_cast<int>(std::ceil(end)) - 1);
        for (int s = f.first; s <= last; ++s)
        {
            const double covered = std::min(end, s + 1.0) - std::max(start, double(s));
            f.weights.push_back(covered / scale);
        }
    }
    return footprints;
}

// Colour over white, so transparent parts of a logo print as paper.
void OverWhite(const unsigned char* pixel, double out[3])
{
    const double alpha = pixel[3] / 255.0;
    for (int c = 0; c < 3; ++c)
        out[c] = pixel[c] * alpha + 255.0 * (1.0 - alpha);
}

unsigned char Byte(double value)
{
    return static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
}

void Fill(BgraImage& image, int x0, int y0, int side, unsigned char grey)
{
    for (int y = y0; y < y0 + side; ++y)
        for (int x = x0; x < x0 + side; ++x)
        {
            unsigned char* p = image.Pixel(x, y);
            p[0] = p[1] = p[2] = grey;
            p[3] = 255;
        }
}
} // namespace

MarkerLayout MarkerLayoutFor(int squareSide)
{
    MarkerLayout layout;
    layout.squareSide = squareSide;
    layout.margin = squareSide / 8;
    layout.imageSide = squareSide + 2 * layout.margin;
    layout.pictureOrigin = layout.margin + squareSide / 4;
    layout.pictureSide = squareSide / 2;
    return layout;
}

BgraImage FitPicture(const BgraImage& source, int side)
{
    const double scale = static_cast<double>(side) / std::max(source.width, source.height);
    const int width = std::clamp(static_cast<int>(std::lround(source.width * scale)), 1, side);
    const int height = std::clamp(static_cast<int>(std::lround(source.height * scale)), 1, side);
    const std::vector<Footprint> columns = Footprints(source.width, width);
    const std::vector<Footprint> rows = Footprints(source.height, height);

    // Horizontal pass into doubles, then the vertical pass into the square.
    std::vector<double> narrowed(static_cast<size_t>(width) * source.height * 3, 0.0);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < width; ++x)
        {
            double* out = &narrowed[(static_cast<size_t>(y) * width + x) * 3];
            const Footprint& f = columns[x];
            for (size_t k = 0; k < f.weights.size(); ++k)
            {
                double colour[3];
                OverWhite(source.Pixel(f.first + static_cast<int>(k), y), colour);
                for (int c = 0; c < 3; ++c)
                    out[c] += colour[c] * f.weights[k];
            }
        }

    BgraImage fitted(side, side);
    Fill(fitted, 0, 0, side, 255);
    const int x0 = (side - width) / 2;
    const int y0 = (side - height) / 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            double colour[3] = {0.0, 0.0, 0.0};
            const Footprint& f = rows[y];
            for (size_t k = 0; k < f.weights.size(); ++k)
            {
                const double* in = &narrowed[((f.first + k) * static_cast<size_t>(width) + x) * 3];
                for (int c = 0; c < 3; ++c)
                    colour[c] += in[c] * f.weights[k];
            }
            unsigned char* p = fitted.Pixel(x0 + x, y0 + y);
            for (int c = 0; c < 3; ++c)
                p[c] = Byte(colour[c]);
        }
    return fitted;
}

BgraImage DrawMarker(const BgraImage& picture, const MarkerLayout& layout)
{
    BgraImage marker(layout.imageSide, layout.imageSide);
    Fill(marker, 0, 0, layout.imageSide, 255);
    Fill(marker, layout.margin, layout.margin, layout.squareSide, 0);
    const size_t rowBytes = static_cast<size_t>(layout.pictureSide) * 4;
    for (int y = 0; y < layout.pictureSide; ++y)
        std::memcpy(marker.Pixel(layout.pictureOrigin, layout.pictureOrigin + y),
                    picture.Pixel(0, y), rowBytes);
    return marker;
}

void PictureCells(const BgraImage& marker, const MarkerLayout& layout,
                  unsigned char block[kPatternValues])
{
    averageCells(marker.Pixel(layout.pictureOrigin, layout.pictureOrigin), layout.pictureSide,
                 layout.pictureSide, 4, static_cast<size_t>(marker.width) * 4, block);
}

BgraImage CellsPicture(const unsigned char block[kPatternValues], int side)
{
    BgraImage picture(side, side);
    const int cell = side / kPatternSide;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            const unsigned char* value =
                &block[((y / cell) * kPatternSide + x / cell) * kPatternChannels];
            unsigned char* p = picture.Pixel(x, y);
            p[0] = value[0];
            p[1] = value[1];
            p[2] = value[2];
            p[3] = 255;
        }
    return picture;
}
