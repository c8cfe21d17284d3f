#include "project/pose_filter.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr double kPi = 3.14159265358979323846;
// The speed that opens the filter is itself low-passed at this fixed
// cut-off: sensor noise differentiated frame by frame would open it
// otherwise, and a real motion's speed still shows within a few frames.
constexpr double kSpeedCutoffHz = 1.0;
// A translation step this many marker widths beyond where the filtered speed
// leads is no motion a hand makes in one frame: the marker was put down
// elsewhere, and gliding there would show it where it is not.
constexpr double kJumpWidths = 2.0;
// Floor of a cut-off, so that a zero, negative or unset minimum still lets
// the pose follow the marker, however slowly.
constexpr double kLowestCutoffHz = 0.01;
// Floor of the frame interval, so that a zero or negative one cannot divide.
constexpr double kShortestSeconds = 1e-4;

// Weight of a new sample in a first-order low-pass of the given cut-off.
double Smoothing(double cutoffHz, double seconds)
{
    const double tau = 1.0 / (2.0 * kPi * cutoffHz);
    return 1.0 / (1.0 + tau / seconds);
}

double Sanitised(double value, double lowest)
{
    return std::isfinite(value) && value > lowest ? value : lowest;
}

// Shepperd's method: the largest of the four squared components is taken
// first, so the square root never works on a difference near zero.
void QuaternionOf(const double r[3][4], double q[4])
{
    const double trace = r[0][0] + r[1][1] + r[2][2];
    if (trace > 0.0)
    {
        const double s = 2.0 * std::sqrt(1.0 + trace);
        q[0] = s / 4.0;
        q[1] = (r[2][1] - r[1][2]) / s;
        q[2] = (r[0][2] - r[2][0]) / s;
        q[3] = (r[1][0] - r[0][1]) / s;
    }
    else if (r[0][0] > r[1][1] && r[0][0] > r[2][2])
    {
        const double s = 2.0 * std::sqrt(1.0 + r[0][0] - r[1][1] - r[2][2]);
        q[0] = (r[2][1] - r[1][2]) / s;
        q[1] = s / 4.0;
        q[2] = (r[0][1] + r[1][0]) / s;
        q[3] = (r[0][2] + r[2][0]) / s;
    }
    else if (r[1][1] > r[2][2])
    {
        const double s = 2.0 * std::sqrt(1.0 + r[1][1] - r[0][0] - r[2][2]);
        q[0] = (r[0][2] - r[2][0]) / s;
        q[1] = (r[0][1] + r[1][0]) / s;
        q[2] = s / 4.0;
        q[3] = (r[1][2] + r[2][1]) / s;
    }
    else
    {
        const double s = 2.0 * std::sqrt(1.0 + r[2][2] - r[0][0] - r[1][1]);
        q[0] = (r[1][0] - r[0][1]) / s;
        q[1] = (r[0][2] + r[2][0]) / s;
        q[2] = (r[1][2] + r[2][1]) / s;
        q[3] = s / 4.0;
    }
}

// Hamilton product a b: the rotation b, then a.
void Multiply(const double a[4], const double b[4], double out[4])
{
    out[0] = a[0] * b[0] - a[1] * b[1] - a[2] * b[2] - a[3] * b[3];
    out[1] = a[0] * b[1] + a[1] * b[0] + a[2] * b[3] - a[3] * b[2];
    out[2] = a[0] * b[2] - a[1] * b[3] + a[2] * b[0] + a[3] * b[1];
    out[3] = a[0] * b[3] + a[1] * b[2] - a[2] * b[1] + a[3] * b[0];
}
} // namespace

void CPoseFilter::Filter(const double raw[3][4], double seconds, const PoseFilterSettings& settings,
                         double filtered[3][4])
{
    const double minCutoffHz = Sanitised(settings.minCutoffHz, kLowestCutoffHz);
    const double speedGain = Sanitised(settings.speedGain, 0.0);
    const double width = Sanitised(settings.markerWidth, 0.0);
    seconds = Sanitised(seconds, kShortestSeconds);

    double rotation[4];
    QuaternionOf(raw, rotation);
    if (m_bStarted)
    {
        double miss = 0.0;
        for (int k = 0; k < 3; ++k)
        {
            const double predicted = m_translation[k] + m_velocity[k] * seconds;
            miss += (raw[k][3] - predicted) * (raw[k][3] - predicted);
        }
        if (width > 0.0 && std::sqrt(miss) > kJumpWidths * width)
            m_bStarted = false;
    }
    if (!m_bStarted)
    {
        Start(raw, rotation);
        std::memcpy(filtered, raw, sizeof(double) * 12);
        return;
    }

    const double speedSmoothing = Smoothing(kSpeedCutoffHz, seconds);
    // Each camera axis has its own speed and cut-off, and a speed counts as
    // much as the picture shows it: a step in depth moves the marker's edges
    // only (width / 2) / depth as far as the same step sideways, and its
    // noise is about that much larger. A shared, unweighted speed would let the
    // depth's shake open the filter for all three.
    const double depth = std::fabs(m_translation[2]);
    const double depthWeight = width > 0.0 && depth > width / 2.0 ? width / 2.0 / depth : 1.0;
    for (int k = 0; k < 3; ++k)
    {
        const double step = raw[k][3] - m_translation[k];
        m_velocity[k] += speedSmoothing * (step / seconds - m_velocity[k]);
        const double seen = k == 2 ? depthWeight : 1.0;
        const double cutoffHz = minCutoffHz + speedGain * seen * std::fabs(m_velocity[k]);
        m_translation[k] += Smoothing(cutoffHz, seconds) * step;
    }

    // Rotation is filtered as the rotation vector from the filtered rotation
    // to the raw one: its signed components let the speed's low-pass average
    // the noise out, which a turn's angle, never negative, would not.
    const double inverse[4] = {m_rotation[0], -m_rotation[1], -m_rotation[2], -m_rotation[3]};
    double turn[4];
    Multiply(rotation, inverse, turn);
    if (turn[0] < 0.0)
        for (double& value : turn)
            value = -value;
    const double sine = std::sqrt(turn[1] * turn[1] + turn[2] * turn[2] + turn[3] * turn[3]);
    const double angle = 2.0 * std::atan2(sine, turn[0]);
    // Towards zero the vector part is half the rotation vector.
    const double toVector = sine > 1e-12 ? angle / sine : 2.0;
    double speed = 0.0;
    for (int k = 0; k < 3; ++k)
    {
        m_angularVelocity[k] +=
            speedSmoothing * (toVector * turn[k + 1] / seconds - m_angularVelocity[k]);
        speed += m_angularVelocity[k] * m_angularVelocity[k];
    }
    // The marker's edge moves at the angular speed times half its width: a
    // speed in the translation's unit, so one gain serves both.
    const double cutoffHz = minCutoffHz + speedGain * std::sqrt(speed) * width / 2.0;
    const double half = Smoothing(cutoffHz, seconds) * angle / 2.0;
    const double toStep = sine > 1e-12 ? std::sin(half) / sine : Smoothing(cutoffHz, seconds);
    const double step[4] = {std::cos(half), toStep * turn[1], toStep * turn[2], toStep * turn[3]};
    double next[4];
    Multiply(step, m_rotation, next);
    const double norm =
        std::sqrt(next[0] * next[0] + next[1] * next[1] + next[2] * next[2] + next[3] * next[3]);
    for (int k = 0; k < 4; ++k)
        m_rotation[k] = next[k] / norm;
    Output(filtered);
}

void CPoseFilter::Start(const double raw[3][4], const double rotation[4])
{
    for (int k = 0; k < 3; ++k)
    {
        m_translation[k] = raw[k][3];
        m_velocity[k] = 0.0;
    }
    for (int k = 0; k < 4; ++k)
        m_rotation[k] = rotation[k];
    for (double& value : m_angularVelocity)
        value = 0.0;
    m_bStarted = true;
}

void CPoseFilter::Output(double filtered[3][4]) const
{
    const double w = m_rotation[0], x = m_rotation[1], y = m_rotation[2], z = m_rotation[3];
    const double rotation[3][3] = {
        {1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
        {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
        {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}};
    for (int r = 0; r < 3; ++r)
    {
        for (int c = 0; c < 3; ++c)
            filtered[r][c] = rotation[r][c];
        filtered[r][3] = m_translation[r];
    }
}
