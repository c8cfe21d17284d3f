#include "tracking/square_check.h"

int findVertices(const int* x, const int* y, int st, int ed, double threshold, int* list,
                 int& count)
{
    const double a = y[ed] - y[st];
    const double b = x[st] - x[ed];
    const double c = static_cast<double>(x[ed]) * y[st] - static_cast<double>(y[ed]) * x[st];
    double farthest = 0.0;
    int farthestIndex = 0;
    for (int i = st + 1; i < ed; ++i)
    {
        const double d = a * x[i] + b * y[i] + c;
        if (d * d > farthest)
        {
            farthest = d * d;
            farthestIndex = i;
        }
    }
    if (farthest / (a * a + b * b) > threshold)
    {
        if (findVertices(x, y, st, farthestIndex, threshold, list, count) < 0)
            return -1;
        if (count > kMaxVertexList - 1)
            return -1;
        list[count++] = farthestIndex;
        if (findVertices(x, y, farthestIndex, ed, threshold, list, count) < 0)
            return -1;
    }
    return 0;
}

namespace
{
// Exactly one corner on each of two stretches, or -1.
int OneCornerEach(const Candidate& c, int a, int b, int e, double threshold, int& wa, int& wb)
{
    int list1[kMaxVertexList];
    int list2[kMaxVertexList];
    int n1 = 0;
    int n2 = 0;
    if (findVertices(c.x.data(), c.y.data(), a, b, threshold, list1, n1) < 0 ||
        findVertices(c.x.data(), c.y.data(), b, e, threshold, list2, n2) < 0)
        return -1;
    if (n1 != 1 || n2 != 1)
        return -1;
    wa = list1[0];
    wb = list2[0];
    return 0;
}
} // namespace

int checkSquare(Candidate& candidate, int area, double factor)
{
    const double threshold = area * 1.3333333333333333 * factor * 0.01;
    const int* x = candidate.x.data();
    const int* y = candidate.y.data();
    const int n = candidate.pointCount - 1;

    // Point 0 is already the far end of one diagonal; the point farthest
    // from it splits the contour into two stretches of two sides each.
    int p = 0;
    int farthest = 0;
    for (int i = 1; i < n - 1; ++i)
    {
        const int dx = x[i] - x[0];
        const int dy = y[i] - y[0];
        if (dx * dx + dy * dy > farthest)
        {
            farthest = dx * dx + dy * dy;
            p = i;
        }
    }

    int list1[kMaxVertexList];
    int list2[kMaxVertexList];
    int n1 = 0;
    int n2 = 0;
    if (findVertices(x, y, 0, p, threshold, list1, n1) < 0 ||
        findVertices(x, y, p, n, threshold, list2, n2) < 0)
        return -1;

    int w1 = 0;
    int w2 = 0;
    int* v = candidate.vertex;
    if (n1 == 1 && n2 == 1)
    {
        v[0] = 0;
        v[1] = list1[0];
        v[2] = p;
        v[3] = list2[0];
    }
    else if (n1 > 1 && n2 == 0)
    {
        // p is a neighbour of corner 0 rather than its opposite, so both
        // remaining corners lie on the first stretch: halve it.
        if (OneCornerEach(candidate, 0, p / 2, p, threshold, w1, w2) < 0)
            return -1;
        v[0] = 0;
        v[1] = w1;
        v[2] = w2;
        v[3] = p;
    }
    else if (n1 == 0 && n2 > 1)
    {
        if (OneCornerEach(candidate, p, (p + n) / 2, n, threshold, w1, w2) < 0)
            return -1;
        v[0] = 0;
        v[1] = p;
        v[2] = w1;
        v[3] = w2;
    }
    else
    {
        return -1;
    }
    v[4] = n;
    return 0;
}
