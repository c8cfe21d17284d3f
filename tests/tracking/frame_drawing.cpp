#include "frame_drawing.h"

#include <cmath>

TestFrame::TestFrame(int w, int h, unsigned char grey)
    : width(w), height(h), bgra(4 * static_cast<size_t>(w) * h, grey)
{
}

void TestFrame::FillPolygon(const std::vector<std::vector<double>>& points, unsigned char grey)
{
    const size_t n = points.size();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            int positive = 0, negative = 0;
            for (size_t i = 0; i < n; ++i)
            {
                const auto& a = points[i];
                const auto& b = points[(i + 1) % n];
                const double cross = (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0]);
                positive += cross > 0;
                negative += cross < 0;
            }
            if (positive == 0 || negative == 0)
            {
                unsigned char* p = &bgra[4 * (static_cast<size_t>(y) * width + x)];
                p[0] = p[1] = p[2] = grey;
            }
        }
}

void TestFrame::FillRect(int x0, int y0, int w, int h, unsigned char grey)
{
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
        {
            unsigned char* p = &bgra[4 * (static_cast<size_t>(y) * width + x)];
            p[0] = p[1] = p[2] = grey;
        }
}

std::vector<std::vector<double>> SquareCorners(double cx, double cy, double side, double angleDeg)
{
    const double a = angleDeg * 3.14159265358979323846 / 180.0;
    const double h = side / 2.0;
    std::vector<std::vector<double>> corners;
    const double xs[4] = {-h, h, h, -h};
    const double ys[4] = {-h, -h, h, h};
    for (int k = 0; k < 4; ++k)
        corners.push_back({cx + xs[k] * std::cos(a) - ys[k] * std::sin(a),
                           cy + xs[k] * std::sin(a) + ys[k] * std::cos(a)});
    return corners;
}
