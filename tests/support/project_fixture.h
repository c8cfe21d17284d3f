#pragma once
// Sample projects and scratch folders for the document tests.

#include "document/zelmora_doc.h"
#include "support/scratch_folder.h"

#include <string>

// A project with several trackers, patterns with accents and one name
// Windows-1252 cannot hold, models with non-trivial matrices.
void FillSampleProject(CZelmoraDoc& doc);

// A 64 x 48 test-pattern video "v.cfg" (or `pipeline` instead) and a camera
// "c.dat" for it in `folder`, set as `doc`'s video and camera; false with
// the reason in *error.
constexpr const char* kTestVideoPipeline = "videotestsrc ! video/x-raw,width=64,height=48";
bool UseTestVideo(const ScratchFolder& folder, CZelmoraDoc& doc, std::string* error,
                  const std::string& pipeline = kTestVideoPipeline);
