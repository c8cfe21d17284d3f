#pragma once
// Plain BGRA frames with hand-drawn dark shapes, for the stages of
// detection that only see dark and bright.

#include <vector>

struct TestFrame
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgra;

    TestFrame(int w, int h, unsigned char grey = 220);
    // Pixels whose centres lie inside the convex polygon (any winding).
    void FillPolygon(const std::vector<std::vector<double>>& points, unsigned char grey = 10);
    void FillRect(int x0, int y0, int width, int height, unsigned char grey = 10);
    const unsigned char* data() const { return bgra.data(); }
};

// The corners of a square of side `side` centred on (cx, cy), turned by
// angleDeg.
std::vector<std::vector<double>> SquareCorners(double cx, double cy, double side, double angleDeg);
