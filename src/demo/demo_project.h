#pragma once
// The bundled demo as a project on disk: the three markers (pattern files,
// pictures and printable sheets), the camera file, the textured house, the
// rendered video with its configuration, and demo.zel tying them together.

#include "demo/demo_progress.h"

#include <string>

constexpr const char* kDemoProjectFile = "demo.zel";

// Writes the demo into `dir` (created when missing) with the first `frames`
// frames of its video, reporting each frame to `progress`. False with the
// reason in *error; what was written before the failure stays.
bool WriteDemoProject(const std::string& dir, int frames, CDemoProgress& progress,
                      std::string* error);
