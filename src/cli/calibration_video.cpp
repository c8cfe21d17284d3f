#include "cli/calibration_video.h"

#include "calibration/board_corners.h"
#include "calibration/view_picker.h"
#include "cli/cli_commands.h"
#include "media/frame_listener.h"
#include "media/video_source.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace
{
constexpr int kFrameWaitMs = 200;
constexpr std::chrono::seconds kStuckAfter(10);

class CFrameCopy : public CFrameListener
{
  public:
    void OnFrame(const unsigned char* image, int width, int height) override
    {
        m_image = BgraImage(width, height);
        std::memcpy(m_image.pixels.data(), image, m_image.pixels.size());
    }
    BgraImage m_image;
};
} // namespace

VideoViews CollectVideoViews(const std::string& configFile, const BoardSpec& board, int wanted)
{
    // A recorded video hands out every frame; a camera its newest.
    CVideoSource video(configFile, true);
    if (!video.m_pSource)
        throw CommandFailure(configFile + ": " + video.Error());
    VideoViews result;
    result.width = video.m_nWidth;
    result.height = video.m_nHeight;
    CViewPicker picker(video.m_nWidth);
    CFrameCopy frame;
    int frames = 0, found = 0;
    auto lastFrame = std::chrono::steady_clock::now();
    while (static_cast<int>(picker.Kept().size()) < wanted)
    {
        const CVideoSource::Grab grab = video.GrabFrame(&frame, kFrameWaitMs);
        if (grab == CVideoSource::Grab::Ended)
        {
            if (!video.Error().empty())
                throw CommandFailure(configFile + ": the video stopped: " + video.Error());
            break;
        }
        if (grab == CVideoSource::Grab::NoFrame)
        {
            if (std::chrono::steady_clock::now() - lastFrame >= kStuckAfter)
                throw CommandFailure(configFile + ": no frame came within " +
                                     std::to_string(kStuckAfter.count()) + " seconds");
            continue;
        }
        lastFrame = std::chrono::steady_clock::now();
        ++frames;
        if (frame.m_image.width != result.width || frame.m_image.height != result.height)
            continue;
        BoardView view;
        view.name = "frame " + std::to_string(frames);
        if (FindBoardCorners(frame.m_image, board, &view) == BoardSearch::Found)
        {
            ++found;
            picker.Offer(view);
        }
        std::fprintf(stderr, "\rcalibrate: %d frames, board in %d, kept %zu of %d", frames, found,
                     picker.Kept().size(), wanted);
    }
    std::fputc('\n', stderr);
    result.views = picker.Kept();
    return result;
}
