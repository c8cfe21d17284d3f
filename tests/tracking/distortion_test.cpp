#include "tracking/camera_param.h"

#include <gtest/gtest.h>

namespace
{
constexpr double kRoundTripTolerancePx = 1e-6;
} // namespace

TEST(Distortion, CentreMapsToItselfExactly)
{
    const double dist[4] = {318.5, 242.25, 80.0, 0.98};
    double x, y;
    idealToObserved(dist, dist[0], dist[1], &x, &y);
    EXPECT_EQ(x, dist[0]);
    EXPECT_EQ(y, dist[1]);
    observedToIdeal(dist, dist[0], dist[1], &x, &y);
    EXPECT_EQ(x, dist[0]);
    EXPECT_EQ(y, dist[1]);
}

TEST(Distortion, WithoutRadialTermOnlyScalesAroundTheCentre)
{
    const double dist[4] = {320.0, 240.0, 0.0, 0.5};
    double x, y;
    idealToObserved(dist, 420.0, 140.0, &x, &y);
    EXPECT_DOUBLE_EQ(x, 370.0);
    EXPECT_DOUBLE_EQ(y, 190.0);
    observedToIdeal(dist, 370.0, 190.0, &x, &y);
    EXPECT_DOUBLE_EQ(x, 420.0);
    EXPECT_DOUBLE_EQ(y, 140.0);
}

TEST(Distortion, RoundTripOverTheWholeImage)
{
    const double dist[4] = {321.3, 238.7, 60.0, 0.985};
    for (double ox = 0; ox <= 640; ox += 16)
        for (double oy = 0; oy <= 480; oy += 16)
        {
            double ix, iy, rx, ry;
            observedToIdeal(dist, ox, oy, &ix, &iy);
            idealToObserved(dist, ix, iy, &rx, &ry);
            EXPECT_NEAR(rx, ox, kRoundTripTolerancePx);
            EXPECT_NEAR(ry, oy, kRoundTripTolerancePx);
        }
}
