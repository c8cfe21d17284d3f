#pragma once
// The bundled demo for tests that need a real project on disk: its first
// `frames` frames of video, with the frame counter's output thrown away.

#include "demo/demo_project.h"

#include <cstdio>
#include <string>

// False with the reason in *error.
inline bool WriteQuietDemo(const std::string& dir, int frames, std::string* error)
{
    std::FILE* nowhere = std::fopen("/dev/null", "w");
    bool written = false;
    {
        CDemoProgress quiet(nowhere, false, frames);
        written = WriteDemoProject(dir, frames, quiet, error);
    }
    std::fclose(nowhere);
    return written;
}
