#pragma once
// A square marker of a tracker: its pattern file, printed width and the two
// settings of its pose filter. Owned by value by CTracker::m_patterns.

#include <string>

class CArchive;

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
    int m_nId = -1;             // library slot during a run, never saved
};
