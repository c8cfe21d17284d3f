#include "synth/frame_effects.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace
{
constexpr double kPi = 3.14159265358979323846;

void FillShape(bool square, double cx, double cy, double radius, double angle, float level,
               int width, int height, std::vector<float>& image)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(cx - radius * 1.5)));
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(cx + radius * 1.5)));
    const int y0 = std::max(0, static_cast<int>(std::floor(cy - radius * 1.5)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(cy + radius * 1.5)));
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const double dx = x - cx;
            const double dy = y - cy;
            const double u = c * dx + s * dy;
            const double v = -s * dx + c * dy;
            const bool inside = square ? std::fabs(u) <= radius && std::fabs(v) <= radius
                                       : u * u + v * v <= radius * radius;
            if (inside)
            {
                float* pixel = &image[3 * (static_cast<size_t>(y) * width + x)];
                pixel[0] = pixel[1] = pixel[2] = level;
            }
        }
}

void BlurPass(const std::vector<float>& kernel, int radius, int count, int length, int step,
              int lineStep, std::vector<float>& image, std::vector<float>& line)
{
    line.resize(3 * static_cast<size_t>(length));
    for (int l = 0; l < count; ++l)
    {
        float* base = &image[3 * static_cast<size_t>(l) * lineStep];
        for (int i = 0; i < length; ++i)
            for (int c = 0; c < 3; ++c)
                line[3 * i + c] = base[3 * static_cast<size_t>(i) * step + c];
        for (int i = 0; i < length; ++i)
        {
            float sum[3] = {0.0f, 0.0f, 0.0f};
            for (int k = -radius; k <= radius; ++k)
            {
                const int j = std::clamp(i + k, 0, length - 1);
                for (int c = 0; c < 3; ++c)
                    sum[c] += kernel[k + radius] * line[3 * j + c];
            }
            for (int c = 0; c < 3; ++c)
                base[3 * static_cast<size_t>(i) * step + c] = sum[c];
        }
    }
}
} // namespace

void paintBackground(const SynthBackground& background, int width, int height,
                     std::vector<float>& image)
{
    image.assign(3 * static_cast<size_t>(width) * height, static_cast<float>(background.grey));
    std::mt19937 random(background.seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < background.blobCount; ++i)
    {
        const double cx = unit(random) * width;
        const double cy = unit(random) * height;
        const double radius = background.blobRadiusPx * (1.0 / 3.0 + unit(random) * 5.0 / 3.0);
        const float level = static_cast<float>(background.grey * 0.3 * unit(random));
        const bool square = unit(random) < 0.4;
        FillShape(square, cx, cy, radius, unit(random) * kPi, level, width, height, image);
    }
}

namespace
{
// Blocks over which the photograph's light is averaged: larger than a small
// marker, so the marker does not darken its own light, smaller than a shadow.
constexpr int kPhotoLightBlockPx = 64;
// Brightest grey of lit paper, and the least light a marker gets: a dark
// region of a photograph is mostly dark things, not darkness, and a marker
// laid there is lit about as the scene is.
constexpr float kPaperGrey = 215.0f;
constexpr float kMinPhotoLight = 0.85f;
constexpr float kMaxPhotoLight = 1.15f;
} // namespace

void paintPhoto(const unsigned char* bgra, int width, int height, std::vector<float>& image,
                std::vector<float>& light)
{
    const size_t pixels = static_cast<size_t>(width) * height;
    image.resize(3 * pixels);
    for (size_t i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c)
            image[3 * i + c] = bgra[4 * i + c];

    const int columns = (width + kPhotoLightBlockPx - 1) / kPhotoLightBlockPx;
    const int rows = (height + kPhotoLightBlockPx - 1) / kPhotoLightBlockPx;
    std::vector<double> sums(static_cast<size_t>(columns) * rows, 0.0);
    std::vector<int> counts(sums.size(), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const size_t block = static_cast<size_t>(y / kPhotoLightBlockPx) * columns +
                                 x / kPhotoLightBlockPx;
            const unsigned char* pixel = &bgra[4 * (static_cast<size_t>(y) * width + x)];
            sums[block] += (pixel[0] + pixel[1] + pixel[2]) / 3.0;
            ++counts[block];
        }
    // A bright surface is lit; the mean of a block is about half its
    // brightest, hence the factor 2 before comparing with paper.
    std::vector<float> blockLight(sums.size());
    for (size_t b = 0; b < sums.size(); ++b)
        blockLight[b] = std::clamp(static_cast<float>(2.0 * sums[b] / counts[b]) / kPaperGrey,
                                   kMinPhotoLight, kMaxPhotoLight);
    light.resize(pixels);
    for (int y = 0; y < height; ++y)
    {
        const double by = std::clamp((y + 0.5) / kPhotoLightBlockPx - 0.5, 0.0, rows - 1.0);
        const int r0 = static_cast<int>(by);
        const int r1 = std::min(rows - 1, r0 + 1);
        const float fy = static_cast<float>(by - r0);
        for (int x = 0; x < width; ++x)
        {
            const double bx = std::clamp((x + 0.5) / kPhotoLightBlockPx - 0.5, 0.0, columns - 1.0);
            const int c0 = static_cast<int>(bx);
            const int c1 = std::min(columns - 1, c0 + 1);
            const float fx = static_cast<float>(bx - c0);
            const float top = blockLight[static_cast<size_t>(r0) * columns + c0] * (1 - fx) +
                              blockLight[static_cast<size_t>(r0) * columns + c1] * fx;
            const float bottom = blockLight[static_cast<size_t>(r1) * columns + c0] * (1 - fx) +
                                 blockLight[static_cast<size_t>(r1) * columns + c1] * fx;
            light[static_cast<size_t>(y) * width + x] = top * (1 - fy) + bottom * fy;
        }
    }
}

void applyLightGradient(double gradient, double angleDeg, int width, int height,
                        std::vector<float>& image, double level)
{
    if (gradient == 0.0 && level == 1.0)
        return;
    const double c = std::cos(angleDeg * kPi / 180.0);
    const double s = std::sin(angleDeg * kPi / 180.0);
    const double reach = std::fabs(c) * width / 2.0 + std::fabs(s) * height / 2.0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const double along = (c * (x - width / 2.0) + s * (y - height / 2.0)) / reach;
            const float light = static_cast<float>(std::max(0.0, level + gradient * along));
            float* pixel = &image[3 * (static_cast<size_t>(y) * width + x)];
            for (int k = 0; k < 3; ++k)
                pixel[k] *= light;
        }
}

void applyShadow(const SynthShadow& shadow, int width, int height, std::vector<float>& image)
{
    if (shadow.level == 1.0)
        return;
    const double softness = std::max(shadow.softnessPx, 1e-6);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const double distance =
                std::hypot(x - shadow.centrePx[0], y - shadow.centrePx[1]) - shadow.radiusPx;
            const double t = std::clamp(distance / softness, 0.0, 1.0);
            const double smooth = t * t * (3.0 - 2.0 * t);
            const float light = static_cast<float>(shadow.level + (1.0 - shadow.level) * smooth);
            float* pixel = &image[3 * (static_cast<size_t>(y) * width + x)];
            for (int k = 0; k < 3; ++k)
                pixel[k] *= light;
        }
}

void motionBlur(double lengthPx, double angleDeg, int width, int height,
                std::vector<float>& image)
{
    if (!(lengthPx > 0.0) || width < 1 || height < 1)
        return;
    // Samples a quarter of a pixel apart: the segment's mean, not its ends,
    // decides each pixel.
    const int samples = 1 + static_cast<int>(std::ceil(4.0 * lengthPx));
    const double dx = std::cos(angleDeg * kPi / 180.0);
    const double dy = std::sin(angleDeg * kPi / 180.0);
    const std::vector<float> source = image;
    auto at = [&](int x, int y, int c)
    {
        x = std::clamp(x, 0, width - 1);
        y = std::clamp(y, 0, height - 1);
        return source[3 * (static_cast<size_t>(y) * width + x) + c];
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            float sum[3] = {0.0f, 0.0f, 0.0f};
            for (int i = 0; i < samples; ++i)
            {
                const double along = lengthPx * ((i + 0.5) / samples - 0.5);
                const double px = x + along * dx;
                const double py = y + along * dy;
                const int x0 = static_cast<int>(std::floor(px));
                const int y0 = static_cast<int>(std::floor(py));
                const float fx = static_cast<float>(px - x0);
                const float fy = static_cast<float>(py - y0);
                for (int c = 0; c < 3; ++c)
                    sum[c] += (at(x0, y0, c) * (1 - fx) + at(x0 + 1, y0, c) * fx) * (1 - fy) +
                              (at(x0, y0 + 1, c) * (1 - fx) + at(x0 + 1, y0 + 1, c) * fx) * fy;
            }
            float* pixel = &image[3 * (static_cast<size_t>(y) * width + x)];
            for (int c = 0; c < 3; ++c)
                pixel[c] = sum[c] / samples;
        }
}

void gaussianBlur(double sigmaPx, int width, int height, std::vector<float>& image)
{
    if (!(sigmaPx > 0.0) || width < 1 || height < 1)
        return;
    const int radius = static_cast<int>(std::ceil(3.0 * sigmaPx));
    std::vector<float> kernel(2 * radius + 1);
    double total = 0.0;
    for (int k = -radius; k <= radius; ++k)
    {
        kernel[k + radius] = static_cast<float>(std::exp(-0.5 * k * k / (sigmaPx * sigmaPx)));
        total += kernel[k + radius];
    }
    for (float& weight : kernel)
        weight = static_cast<float>(weight / total);

    std::vector<float> line;
    BlurPass(kernel, radius, height, width, 1, width, image, line);
    BlurPass(kernel, radius, width, height, width, 1, image, line);
}

void addNoiseAndPack(double sigma, uint32_t seed, const std::vector<float>& image,
                     std::vector<unsigned char>& bgra)
{
    const size_t pixels = image.size() / 3;
    bgra.resize(4 * pixels);
    std::mt19937 random(seed);
    const bool noisy = sigma > 0.0;
    std::normal_distribution<float> noise(0.0f, noisy ? static_cast<float>(sigma) : 1.0f);
    for (size_t i = 0; i < pixels; ++i)
    {
        for (int c = 0; c < 3; ++c)
        {
            const float value = image[3 * i + c] + (noisy ? noise(random) : 0.0f);
            bgra[4 * i + c] = static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
        }
        bgra[4 * i + 3] = 255;
    }
}
