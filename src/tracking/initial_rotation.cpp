#include "tracking/matrix_toolkit.h"
#include "tracking/pose_internal.h"

#include <cmath>

namespace
{
constexpr double kRoundingTolerance = 1e-10;

double Norm(const double v[3])
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

void Cross(const double a[3], const double b[3], double out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

double Dot(const double a[3], const double b[3])
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The unit vectors p with n.p = 0 and d.p = cosine: two components follow
// linearly from the third, which a quadratic then fixes. When the chosen
// pair of components is singular, another pair is tried.
int UnitVectorsAtCosine(const double n[3], const double d[3], double cosine, double p1[3],
                        double p2[3])
{
    static constexpr int kOrders[3][3] = {{0, 1, 2}, {0, 2, 1}, {2, 1, 0}};
    for (const auto& order : kOrders)
    {
        const int i = order[0];
        const int j = order[1];
        const int k = order[2];
        const double det = n[i] * d[j] - n[j] * d[i];
        if (det == 0.0)
            continue;
        const double k1 = (n[j] * d[k] - n[k] * d[j]) / det;
        const double k2 = -n[j] * cosine / det;
        const double k3 = (d[i] * n[k] - n[i] * d[k]) / det;
        const double k4 = n[i] * cosine / det;
        const double qa = k1 * k1 + k3 * k3 + 1.0;
        const double qb = k1 * k2 + k3 * k4;
        const double qc = k2 * k2 + k4 * k4 - 1.0;
        double discriminant = qb * qb - qa * qc;
        // Vectors that are already perpendicular give a double root, which
        // rounding can push just below zero.
        if (discriminant < 0.0)
        {
            if (discriminant < -kRoundingTolerance * (qb * qb + std::fabs(qa * qc)))
                return -1;
            discriminant = 0.0;
        }
        const double root = std::sqrt(discriminant);
        const double z1 = (-qb + root) / qa;
        const double z2 = (-qb - root) / qa;
        p1[i] = k1 * z1 + k2;
        p1[j] = k3 * z1 + k4;
        p1[k] = z1;
        p2[i] = k1 * z2 + k2;
        p2[j] = k3 * z2 + k4;
        p2[k] = z2;
        return 0;
    }
    return -1;
}

void Copy(const double from[3], double to[3])
{
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}
} // namespace

int orthogonalizeDirections(double d1[3], double d2[3])
{
    double n[3];
    Cross(d1, d2, n);
    const double length = Norm(n);
    if (length == 0.0)
        return -1;
    for (double& v : n)
        v /= length;

    const double cb = std::fmin(std::fabs(Dot(d1, d2)), 1.0);
    const double ca = (std::sqrt(1.0 - cb) + std::sqrt(cb + 1.0)) * 0.5;

    double p1[3], p2[3], p3[3], p4[3];
    if (UnitVectorsAtCosine(n, d1, ca, p1, p2) < 0 || UnitVectorsAtCosine(n, d2, ca, p3, p4) < 0)
        return -1;

    const double e1 = std::fabs(Dot(p1, p3));
    const double e2 = std::fabs(Dot(p1, p4));
    const double e3 = std::fabs(Dot(p2, p3));
    const double e4 = std::fabs(Dot(p2, p4));
    const double* first;
    const double* second;
    if (e1 < e2)
    {
        if (e1 < e3)
        {
            first = e1 < e4 ? p1 : p2;
            second = e1 < e4 ? p3 : p4;
        }
        else
        {
            first = p2;
            second = e3 < e4 ? p3 : p4;
        }
    }
    else if (e2 < e3)
    {
        first = e2 < e4 ? p1 : p2;
        second = p4;
    }
    else
    {
        first = p2;
        second = e3 < e4 ? p3 : p4;
    }
    Copy(first, d1);
    Copy(second, d2);
    return 0;
}

int checkDirection(double direction[3], const double start[2], const double end[2],
                   const double camera[3][4])
{
    double inverseData[9];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            inverseData[3 * r + c] = camera[r][c];
    Matrix inverse{inverseData, 3, 3};
    if (matrixSelfInv(&inverse) < 0)
        return -1;

    // A point on the ray through `start`, at depth scale 10, and the same
    // point moved along the direction.
    const double lifted[3] = {start[0] * 10.0, start[1] * 10.0, 10.0};
    double world[2][3];
    for (int r = 0; r < 3; ++r)
    {
        world[0][r] = inverseData[3 * r] * lifted[0] + inverseData[3 * r + 1] * lifted[1] +
                      inverseData[3 * r + 2] * lifted[2];
        world[1][r] = world[0][r] + direction[r];
    }

    double image[2][2];
    for (int w = 0; w < 2; ++w)
    {
        const double* p = world[w];
        const double h = camera[2][0] * p[0] + camera[2][1] * p[1] + camera[2][2] * p[2];
        if (h == 0.0)
            return -1;
        image[w][0] = (camera[0][0] * p[0] + camera[0][1] * p[1] + camera[0][2] * p[2]) / h;
        image[w][1] = (camera[1][0] * p[0] + camera[1][1] * p[1] + camera[1][2] * p[2]) / h;
    }

    const double along = (end[0] - start[0]) * (image[1][0] - image[0][0]) +
                         (end[1] - start[1]) * (image[1][1] - image[0][1]);
    if (along < 0.0)
        for (int r = 0; r < 3; ++r)
            direction[r] = -direction[r];
    return 0;
}

int estimateInitialRotation(const MarkerInfo& marker, const double camera[3][4],
                            double rotation[3][3])
{
    const int d = (marker.dir % 4 + 4) % 4;
    const double(*p)[4] = camera;
    double axis[2][3];
    for (int j = 0; j < 2; ++j)
    {
        // The two opposite edges meet at the vanishing point of this axis;
        // the back-projection of that point is the axis direction.
        const double* l1 = marker.line[(4 - d + j) % 4];
        const double* l2 = marker.line[(6 - d + j) % 4];
        const double w1 = l1[0] * l2[1] - l2[0] * l1[1];
        const double w2 = l1[1] * l2[2] - l2[1] * l1[2];
        const double w3 = l1[2] * l2[0] - l2[2] * l1[0];
        double* u = axis[j];
        u[0] = w1 * (p[0][1] * p[1][2] - p[0][2] * p[1][1]) + w2 * p[1][1] - w3 * p[0][1];
        u[1] = -w1 * p[0][0] * p[1][2] + w3 * p[0][0];
        u[2] = w1 * p[0][0] * p[1][1];
        const double length = Norm(u);
        if (length == 0.0 || !std::isfinite(length))
            return -1;
        for (int r = 0; r < 3; ++r)
            u[r] /= length;
    }

    const double* corner0 = marker.vertex[(4 - d) % 4];
    const double* corner1 = marker.vertex[(5 - d) % 4];
    const double* corner3 = marker.vertex[(7 - d) % 4];
    if (checkDirection(axis[0], corner0, corner1, camera) < 0 ||
        checkDirection(axis[1], corner3, corner0, camera) < 0)
        return -1;
    if (orthogonalizeDirections(axis[0], axis[1]) < 0)
        return -1;

    double normal[3];
    Cross(axis[0], axis[1], normal);
    const double length = Norm(normal);
    if (length == 0.0)
        return -1;
    for (int r = 0; r < 3; ++r)
    {
        rotation[r][0] = axis[0][r];
        rotation[r][1] = axis[1][r];
        rotation[r][2] = normal[r] / length;
    }
    return 0;
}
