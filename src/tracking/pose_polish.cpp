#include "tracking/pose_polish.h"

#include "tracking/matrix_toolkit.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr int kParameters = 6; // a small rotation (axis times angle), then a translation step
constexpr int kMaxSteps = 12;
constexpr double kFirstDamping = 1e-3;
constexpr double kDampingGrowth = 10.0;
constexpr double kMaxDamping = 1e8;
constexpr double kConverged = 1e-10; // px^2: a step that gains less ends the polish

// Camera point x through the projection: the depth h and the image point.
double Project(const double camera[3][4], const double x[3], double image[2])
{
    const double h = camera[2][0] * x[0] + camera[2][1] * x[1] + camera[2][2] * x[2] + camera[2][3];
    for (int i = 0; i < 2; ++i)
        image[i] =
            (camera[i][0] * x[0] + camera[i][1] * x[1] + camera[i][2] * x[2] + camera[i][3]) / h;
    return h;
}

// Mean squared distance between the image points and the projected marker
// points; -1 when a point falls behind the camera.
double ReprojectionError(const double transform[3][4], const double imagePoints[4][2],
                         const double markerPoints[4][2], const double camera[3][4])
{
    double sum = 0.0;
    for (int k = 0; k < 4; ++k)
    {
        double x[3];
        for (int r = 0; r < 3; ++r)
            x[r] = transform[r][0] * markerPoints[k][0] + transform[r][1] * markerPoints[k][1] +
                   transform[r][3];
        double image[2];
        if (!(Project(camera, x, image) > 0.0))
            return -1.0;
        for (int i = 0; i < 2; ++i)
            sum += (image[i] - imagePoints[k][i]) * (image[i] - imagePoints[k][i]);
    }
    return sum / 4.0;
}

// Normal equations J^T J and J^T r of the residuals (projection minus image
// point). A rotation step w turns camera point x by w x (R m), so the
// derivative of a residual with gradient g (per camera coordinate) is
// (R m) x g for w and g for the translation.
void NormalEquations(const double transform[3][4], const double imagePoints[4][2],
                     const double markerPoints[4][2], const double camera[3][4],
                     double jtj[kParameters][kParameters], double jtr[kParameters])
{
    std::memset(jtj, 0, sizeof(double) * kParameters * kParameters);
    std::memset(jtr, 0, sizeof(double) * kParameters);
    for (int k = 0; k < 4; ++k)
    {
        double turned[3];
        double x[3];
        for (int r = 0; r < 3; ++r)
        {
            turned[r] = transform[r][0] * markerPoints[k][0] + transform[r][1] * markerPoints[k][1];
            x[r] = turned[r] + transform[r][3];
        }
        double image[2];
        const double h = Project(camera, x, image);
        for (int i = 0; i < 2; ++i)
        {
            const double u = image[i];
            double g[3];
            for (int c = 0; c < 3; ++c)
                g[c] = (camera[i][c] - u * camera[2][c]) / h;
            const double row[kParameters] = {turned[1] * g[2] - turned[2] * g[1],
                                             turned[2] * g[0] - turned[0] * g[2],
                                             turned[0] * g[1] - turned[1] * g[0],
                                             g[0],
                                             g[1],
                                             g[2]};
            const double residual = u - imagePoints[k][i];
            for (int a = 0; a < kParameters; ++a)
            {
                jtr[a] += row[a] * residual;
                for (int b = 0; b < kParameters; ++b)
                    jtj[a][b] += row[a] * row[b];
            }
        }
    }
}

// transform with its rotation turned by the axis-angle vector w (on the
// camera side) and its translation moved by t.
void Apply(const double transform[3][4], const double step[kParameters], double moved[3][4])
{
    const double angle = std::sqrt(step[0] * step[0] + step[1] * step[1] + step[2] * step[2]);
    double turn[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    if (angle > 0.0)
    {
        const double k[3] = {step[0] / angle, step[1] / angle, step[2] / angle};
        const double s = std::sin(angle);
        const double c = 1.0 - std::cos(angle);
        const double cross[3][3] = {{0, -k[2], k[1]}, {k[2], 0, -k[0]}, {-k[1], k[0], 0}};
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col)
            {
                double square = 0.0;
                for (int m = 0; m < 3; ++m)
                    square += cross[r][m] * cross[m][col];
                turn[r][col] += s * cross[r][col] + c * square;
            }
    }
    for (int r = 0; r < 3; ++r)
    {
        for (int col = 0; col < 3; ++col)
            moved[r][col] = turn[r][0] * transform[0][col] + turn[r][1] * transform[1][col] +
                            turn[r][2] * transform[2][col];
        moved[r][3] = transform[r][3] + step[3 + r];
    }
}
} // namespace

double polishPose(const double imagePoints[4][2], const double markerPoints[4][2],
                  const double camera[3][4], double transform[3][4])
{
    double error = ReprojectionError(transform, imagePoints, markerPoints, camera);
    if (error < 0.0)
        return error;
    double damping = kFirstDamping;
    for (int step = 0; step < kMaxSteps && damping < kMaxDamping; ++step)
    {
        double jtj[kParameters][kParameters];
        double jtr[kParameters];
        NormalEquations(transform, imagePoints, markerPoints, camera, jtj, jtr);
        for (;;)
        {
            double damped[kParameters * kParameters];
            for (int a = 0; a < kParameters; ++a)
                for (int b = 0; b < kParameters; ++b)
                    damped[a * kParameters + b] = jtj[a][b] * (a == b ? 1.0 + damping : 1.0);
            Matrix inverse{damped, kParameters, kParameters};
            if (matrixSelfInv(&inverse) < 0)
                return error;
            double delta[kParameters];
            for (int a = 0; a < kParameters; ++a)
            {
                delta[a] = 0.0;
                for (int b = 0; b < kParameters; ++b)
                    delta[a] -= damped[a * kParameters + b] * jtr[b];
            }
            double moved[3][4];
            Apply(transform, delta, moved);
            const double movedError = ReprojectionError(moved, imagePoints, markerPoints, camera);
            if (movedError >= 0.0 && movedError < error)
            {
                const bool converged = error - movedError < kConverged;
                std::memcpy(transform, moved, sizeof(moved));
                error = movedError;
                damping /= kDampingGrowth;
                if (converged)
                    return error;
                break;
            }
            damping *= kDampingGrowth;
            if (damping >= kMaxDamping)
                return error;
        }
    }
    return error;
}
