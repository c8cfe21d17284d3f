#pragma once
// `zelmora-cli render`: a project's live area drawn without a window, for
// every frame of its video, into a WebM file or a numbered PNG sequence.
// The drawing is the window's own (model/live_view.h, model/ortho_view.h)
// in an EGL offscreen context. One thread.

#include <string>

struct CRenderOptions
{
    std::string strProject;
    std::string strOut; // *.webm, or *.png with one %d / %0Nd for the frame number
    std::string strVideo; // the project's video configuration when empty
    int nFrames = 0;      // 0: until the video ends
    int nWidth = 0;       // 0 x 0: the video's own size
    int nHeight = 0;
    std::string strView = "live"; // or front, side, top
};

enum class RenderOutput
{
    WebM,
    PngSequence,
    Unknown,
};

// What `path` asks for, by its extension (and, for pictures, its number).
RenderOutput RenderOutputKind(const std::string& path);
// `pattern` with its number field replaced by `frame`.
std::string SequenceFileName(const std::string& pattern, int frame);

// Renders and reports the number of frames written. False with `error` set
// (empty when a message already said why); a WebM file that failed midway
// keeps the frames written before.
bool RenderProject(const CRenderOptions& options, int* pFrames, std::string* error);
