#pragma once
// Writes the demo's video: every frame rendered (demo_sequence.h) and saved
// as a JPEG file, on as many threads as asked. Each frame has its own renderer
// and noise seed, so the files are the same whatever the number of threads.

#include "demo/demo_progress.h"
#include "demo/demo_sequence.h"

#include <string>

// The number of threads for WriteDemoFrames: one per core.
int DemoFrameThreads();

// JPEG frames write and play back ten times faster than PNG ones; at this
// quality the compression noise is well below the renderer's own.
constexpr int kDemoFrameQuality = 95;

// Writes frames 0 .. nFrames - 1 as `folder`/fotogramaNNNN.jpg, with the
// pictures of the three markers in order, on nThreads threads (at least
// one, the caller's among them), telling `progress` of each frame written.
// False with the first failure's reason in *error; frames written before it
// are left in place.
bool WriteDemoFrames(const std::string& folder, const CameraParam& camera,
                     const SynthPicture* const pictures[kDemoMarkers], int nFrames, int nThreads,
                     CDemoProgress& progress, std::string* error);
