#include "tracking/camera_param.h"

#include <cmath>

// The radial coefficient is stored scaled so that calibration files keep
// readable magnitudes; 1e-8 brings it to pixels^-2.
static constexpr double kRadialUnit = 1e-8;

int idealToObserved(const double distFactor[4], double ix, double iy, double* ox, double* oy)
{
    const double cx = distFactor[0];
    const double cy = distFactor[1];
    const double p = distFactor[2] * kRadialUnit;
    const double s = distFactor[3];

    const double x = (ix - cx) * s;
    const double y = (iy - cy) * s;
    if (x == 0.0 && y == 0.0)
    {
        *ox = cx;
        *oy = cy;
        return 0;
    }
    const double d = 1.0 - (x * x + y * y) * p;
    *ox = x * d + cx;
    *oy = y * d + cy;
    return 0;
}

// Newton's method on the cubic radius equation; three steps are plenty for the
// small radial terms real lenses have.
int observedToIdeal(const double distFactor[4], double ox, double oy, double* ix, double* iy)
{
    const double cx = distFactor[0];
    const double cy = distFactor[1];
    const double p = distFactor[2] * kRadialUnit;
    const double s = distFactor[3];

    double px = ox - cx;
    double py = oy - cy;
    // Without radial distortion the iteration below changes nothing but the
    // last bit; renderers call this for every sample, so skip it.
    if (p == 0.0)
    {
        *ix = px / s + cx;
        *iy = py / s + cy;
        return 0;
    }
    double z02 = px * px + py * py;
    const double q = std::sqrt(z02);
    double z0 = q;

    for (int i = 1;; ++i)
    {
        if (z0 == 0.0)
        {
            px = 0.0;
            py = 0.0;
            break;
        }
        const double z = z0 - ((1.0 - p * z02) * z0 - q) / (1.0 - 3.0 * p * z02);
        px = px * z / z0;
        py = py * z / z0;
        if (i == 3)
            break;
        z02 = px * px + py * py;
        z0 = std::sqrt(z02);
    }

    *ix = px / s + cx;
    *iy = py / s + cy;
    return 0;
}
