#pragma once
// A square marker of a tracker: its pattern file, printed width and the
// settings of its pose filter. Owned by value by CTracker::m_patterns.

#include <string>

class CArchive;

// How a pattern's detected poses are smoothed: the running average of the
// last frames, or a filter whose smoothing follows the marker's speed.
enum class PoseFilter
{
    RunningAverage,
    Adaptive,
};

// What the adaptive filter's settings may be: the dialog refuses, and a
// project file may not hold, anything else.
constexpr float kMinFilterCutoff = 0.001f; // Hz
constexpr float kMaxFilterSetting = 1000.0f;

class CPattern
{
public:
    CPattern() = default;
    CPattern(const CPattern& other) { Copy(other); }
    virtual ~CPattern() = default;

    CPattern& operator=(const CPattern& other);
    // Copies the configuration; the slot id belongs to the run and stays.
    virtual void Copy(const CPattern& other);
    virtual void Serialize(CArchive& ar);

    std::string m_strName;
    std::string m_strFile;
    int m_nWidth = 80;          // printed side length, unit of every pose
    int m_nFrames = 20;         // most frames the running average holds
    float m_fTolerance = 3.0f;  // squared distance between raw poses that restarts it
    // The pattern record holds the five values above; these live in the
    // project file's settings block, written only when they leave the default.
    PoseFilter m_filter = PoseFilter::RunningAverage;
    // Measured on rendered sequences of a 40 px marker (docs/PERFORMANCE.md):
    // a gain of 1 lets a marker at 240 mm/s through with about half the raw
    // pose's error, and a quarter hertz still keeps a still one at under a
    // third of the raw shake.
    float m_fMinCutoff = 0.25f; // adaptive filter: cut-off (Hz) while the marker is still
    float m_fSpeedGain = 1.0f;  // adaptive filter: Hz of cut-off per unit/s of speed
    int m_nId = -1;             // library slot during a run, never saved
};
