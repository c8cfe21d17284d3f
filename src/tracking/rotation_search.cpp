#include "tracking/pose_internal.h"

#include <cmath>

namespace
{
constexpr double kStartStepRad = 0.17453292519943295; // 10 degrees
constexpr int kSearchPasses = 10;

void RotationFromSines(double sa, double ca, double sb, double cb, double sc, double cc,
                       double r[3][3])
{
    r[0][0] = ca * ca * cb * cc + sa * sa * cc + sa * ca * cb * sc - sa * ca * sc;
    r[0][1] = -ca * ca * cb * sc - sa * sa * sc + sa * ca * cb * cc - sa * ca * cc;
    r[0][2] = ca * sb;
    r[1][0] = sa * ca * cb * cc - sa * ca * cc + sa * sa * cb * sc + ca * ca * sc;
    r[1][1] = -sa * ca * cb * sc + sa * ca * sc + sa * sa * cb * cc + ca * ca * cc;
    r[1][2] = sa * sb;
    r[2][0] = -ca * sb * cc - sa * sb * sc;
    r[2][1] = ca * sb * sc - sa * sb * cc;
    r[2][2] = cb;
}

// Keeps a (cos, sin) pair that rounding pushed past the unit circle usable
// by acos.
void ClampPair(double& cosine, double& sine)
{
    if (cosine > 1.0)
    {
        cosine = 1.0;
        sine = 0.0;
    }
    else if (cosine < -1.0)
    {
        cosine = -1.0;
        sine = 0.0;
    }
    else if (sine > 1.0)
    {
        cosine = 0.0;
        sine = 1.0;
    }
    else if (sine < -1.0)
    {
        cosine = 0.0;
        sine = -1.0;
    }
}

double SignedAngle(double cosine, double sine)
{
    ClampPair(cosine, sine);
    const double angle = std::acos(cosine);
    return sine < 0.0 ? -angle : angle;
}
} // namespace

void anglesToRotation(double a, double b, double c, double rotation[3][3])
{
    RotationFromSines(std::sin(a), std::cos(a), std::sin(b), std::cos(b), std::sin(c), std::cos(c),
                      rotation);
}

void rotationToAngles(double rotation[3][3], double* a, double* b, double* c)
{
    double& r22 = rotation[2][2];
    if (r22 > 1.0)
        r22 = 1.0;
    else if (r22 < -1.0)
        r22 = -1.0;
    *b = std::acos(r22);
    const double sb = std::sin(*b);

    double cosc, sinc;
    if (sb < 0.000001 && (*b >= 0.000001 || *b <= -0.000001))
    {
        // Facing straight against z, as a marker squarely facing the camera
        // does: the general formulas would divide zero by zero.
        *a = 0.0;
        cosc = -rotation[0][0];
        sinc = rotation[1][0];
    }
    else if (*b >= 0.000001 || *b <= -0.000001)
    {
        *a = SignedAngle(rotation[0][2] / sb, rotation[1][2] / sb);
        const double r02 = rotation[0][2];
        const double r12 = rotation[1][2];
        const double norm = r02 * r02 + r12 * r12;
        sinc = (rotation[2][1] * r02 - rotation[2][0] * r12) / norm;
        cosc = -(r02 * rotation[2][0] + r12 * rotation[2][1]) / norm;
    }
    else
    {
        // Facing straight along z: only the sum of the two turns is defined.
        *a = 0.0;
        *b = 0.0;
        cosc = rotation[0][0];
        sinc = rotation[1][0];
    }
    *c = SignedAngle(cosc, sinc);
}

// Each pass tries the 27 neighbours of the current angles, one step away in
// each angle; the step halves only when no neighbour beats the centre. The
// sines of the three values of each angle are taken once per pass.
double modifyRotation(double rotation[3][3], const double translation[3], const double camera[3][4],
                      const double markerPoints[][3], const double imagePoints[][2], int n)
{
    double a, b, c;
    rotationToAngles(rotation, &a, &b, &c);

    double offset[3];
    for (int i = 0; i < 3; ++i)
        offset[i] = camera[i][0] * translation[0] + camera[i][1] * translation[1] +
                    camera[i][2] * translation[2] + camera[i][3];

    double step = kStartStepRad;
    double best = 1e9;
    for (int pass = 0; pass < kSearchPasses; ++pass)
    {
        double sa[3], ca[3], sb[3], cb[3], sc[3], cc[3];
        for (int k = 0; k < 3; ++k)
        {
            const double delta = step * (k - 1);
            sa[k] = std::sin(a + delta);
            ca[k] = std::cos(a + delta);
            sb[k] = std::sin(b + delta);
            cb[k] = std::cos(b + delta);
            sc[k] = std::sin(c + delta);
            cc[k] = std::cos(c + delta);
        }

        best = 1e9;
        int best1 = 0, best2 = 0, best3 = 0;
        for (int t1 = -1; t1 <= 1; ++t1)
            for (int t2 = -1; t2 <= 1; ++t2)
                for (int t3 = -1; t3 <= 1; ++t3)
                {
                    double r[3][3];
                    RotationFromSines(sa[t1 + 1], ca[t1 + 1], sb[t2 + 1], cb[t2 + 1], sc[t3 + 1],
                                      cc[t3 + 1], r);
                    double m[3][3];
                    for (int i = 0; i < 3; ++i)
                        for (int j = 0; j < 3; ++j)
                            m[i][j] = camera[i][0] * r[0][j] + camera[i][1] * r[1][j] +
                                      camera[i][2] * r[2][j];
                    double error = 0.0;
                    for (int k = 0; k < n; ++k)
                    {
                        const double* p = markerPoints[k];
                        const double hx =
                            m[0][0] * p[0] + m[0][1] * p[1] + m[0][2] * p[2] + offset[0];
                        const double hy =
                            m[1][0] * p[0] + m[1][1] * p[1] + m[1][2] * p[2] + offset[1];
                        const double h =
                            m[2][0] * p[0] + m[2][1] * p[1] + m[2][2] * p[2] + offset[2];
                        const double dx = imagePoints[k][0] - hx / h;
                        const double dy = imagePoints[k][1] - hy / h;
                        error += dx * dx + dy * dy;
                    }
                    if (error < best)
                    {
                        best = error;
                        best1 = t1;
                        best2 = t2;
                        best3 = t3;
                    }
                }

        a += step * best1;
        b += step * best2;
        c += step * best3;
        if (best1 == 0 && best2 == 0 && best3 == 0)
            step *= 0.5;
    }

    anglesToRotation(a, b, c, rotation);
    return best / n;
}
