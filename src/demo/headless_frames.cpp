#include "demo/headless_frames.h"

#include <chrono>

namespace
{
constexpr int kFrameWaitMs = 100;
// A stream that gives no frame for this long is taken for stuck.
constexpr std::chrono::seconds kStuckAfter(10);
} // namespace

CVideoSource::Grab NextHeadlessFrame(CZelmoraDoc& doc, std::string* error)
{
    const auto start = std::chrono::steady_clock::now();
    for (;;)
    {
        // A skipped frame (one smaller than the stream's size) is no reason
        // to stop; a stream that gives nothing for long is.
        const CVideoSource::Grab grab = doc.ProcessNextFrame(kFrameWaitMs);
        if (grab != CVideoSource::Grab::NoFrame)
            return grab;
        if (std::chrono::steady_clock::now() - start >= kStuckAfter)
        {
            *error = "no frame came within " + std::to_string(kStuckAfter.count()) + " seconds";
            return CVideoSource::Grab::Ended;
        }
    }
}
