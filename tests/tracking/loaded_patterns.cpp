#include "loaded_patterns.h"

#include "synth/pattern_picture.h"
#include "tracking/pattern_matching.h"

#include <filesystem>
#include <unistd.h>

LoadedPatterns::LoadedPatterns(const std::vector<const SynthPicture*>& pictures)
{
    static int serial = 0;
    m_strFolder =
        (std::filesystem::temp_directory_path() /
         ("zelmora-patterns-" + std::to_string(::getpid()) + "-" + std::to_string(++serial)))
            .string();
    std::filesystem::create_directories(m_strFolder);
    for (size_t i = 0; i < pictures.size(); ++i)
    {
        const std::string path = m_strFolder + "/pattern" + std::to_string(i) + ".patt";
        writePatternFile(path, *pictures[i]);
        m_slots.push_back(loadPattern(path.c_str()));
    }
}

LoadedPatterns::~LoadedPatterns()
{
    for (int slot : m_slots)
        if (slot >= 0)
            freePattern(slot);
    std::error_code ignored;
    std::filesystem::remove_all(m_strFolder, ignored);
}
