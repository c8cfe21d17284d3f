#pragma once
// The frame loop of the commands that run a project without a window
// (`track`, `render`), over a run started with StartCapture(true).

#include "document/zelmora_doc.h"

#include <string>

// Takes and processes the next frame, waiting as long as the stream may
// still give one: Frame, or Ended at the stream's end (the run reported any
// failure) or when nothing came for ten seconds, with `error` saying so.
CVideoSource::Grab NextHeadlessFrame(CZelmoraDoc& doc, std::string* error);
