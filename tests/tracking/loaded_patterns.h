#pragma once
// Pattern files of synthetic pictures, loaded into the library's table.

#include "synth/synth_scene.h"

#include <string>
#include <vector>

// Pattern files of the given pictures in a temporary folder, loaded into the
// library's table; the folder goes with the object.
class LoadedPatterns
{
  public:
    explicit LoadedPatterns(const std::vector<const SynthPicture*>& pictures);
    ~LoadedPatterns();
    int Slot(int pattern) const { return m_slots[pattern]; }

  private:
    std::string m_strFolder;
    std::vector<int> m_slots;
};
