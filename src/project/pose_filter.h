#pragma once
// The adaptive low-pass filter of one marker's pose (a One Euro filter): its
// cut-off rises with the filtered speed, so it smooths hard while the marker
// is still and lets a motion through at once. Owned by a CPatternState and
// fed once per frame on the user-interface thread; plain arithmetic, no GL.

// A pattern's settings (CPattern holds their defaults).
struct PoseFilterSettings
{
    double minCutoffHz = 0.0; // cut-off while the marker is still
    double speedGain = 0.0;   // Hz of cut-off added per pose unit per second of speed
    double markerWidth = 0.0; // in pose units: turns a rotation's speed into the
                              // speed of the marker's edge, and scales a jump
};

class CPoseFilter
{
  public:
    // The next pose is taken as it comes: after a frame without a match, or
    // for a new run.
    void Reset() { m_bStarted = false; }

    // Filters one raw camera-from-marker transform (row-major 3 x 4, an
    // orthonormal rotation) taken `seconds` after the previous one. A step
    // of the translation several marker widths beyond where the filtered
    // speed leads is a marker put down elsewhere: the filter restarts there.
    void Filter(const double raw[3][4], double seconds, const PoseFilterSettings& settings,
                double filtered[3][4]);

  private:
    void Start(const double raw[3][4], const double rotation[4]);
    void Output(double filtered[3][4]) const;

    bool m_bStarted = false;
    double m_translation[3] = {};
    double m_velocity[3] = {};        // per axis, pose units per second, low-passed
    double m_rotation[4] = {1.0};     // unit quaternion w, x, y, z
    double m_angularVelocity[3] = {}; // camera frame, radians per second, low-passed
};
