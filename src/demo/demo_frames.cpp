#include "demo/demo_frames.h"

#include "imaging/image_file.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace
{
// What the writing threads share. Rendering runs unlocked; the PNG writer
// keeps one current image per process, so writing, the progress line and
// the first failure are taken under the lock.
struct FrameJob
{
    std::string folder;
    const CameraParam* camera = nullptr;
    const SynthPicture* const* pictures = nullptr;
    int frameCount = 0;
    CDemoProgress* progress = nullptr;

    std::atomic<int> nextFrame{0};
    std::atomic<bool> failed{false};
    std::mutex writing;
    std::string error;
};

void Fail(FrameJob& job, const std::string& error)
{
    if (!job.failed.exchange(true))
        job.error = error;
}

bool WriteFrame(FrameJob& job, int frame)
{
    SynthFrame rendered = RenderDemoFrame(*job.camera, job.pictures, frame);
    BgraImage image;
    image.width = rendered.width;
    image.height = rendered.height;
    image.pixels = std::move(rendered.bgra);
    char name[32];
    std::snprintf(name, sizeof name, "/fotograma%04d.jpg", frame);

    const std::lock_guard<std::mutex> lock(job.writing);
    if (job.failed)
        return false;
    std::string error;
    if (!WriteJpegFile(job.folder + name, image, kDemoFrameQuality, &error))
    {
        Fail(job, error);
        return false;
    }
    job.progress->Advance();
    return true;
}

// Takes the next unwritten frame until none is left or a frame has failed.
void WriteFrames(FrameJob& job)
{
    try
    {
        for (int frame = job.nextFrame++; frame < job.frameCount && !job.failed;
             frame = job.nextFrame++)
            if (!WriteFrame(job, frame))
                return;
    }
    catch (const std::exception& e)
    {
        const std::lock_guard<std::mutex> lock(job.writing);
        Fail(job, e.what());
    }
}
} // namespace

int DemoFrameThreads()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool WriteDemoFrames(const std::string& folder, const CameraParam& camera,
                     const SynthPicture* const pictures[kDemoMarkers], int nFrames, int nThreads,
                     CDemoProgress& progress, std::string* error)
{
    FrameJob job;
    job.folder = folder;
    job.camera = &camera;
    job.pictures = pictures;
    job.frameCount = nFrames;
    job.progress = &progress;

    std::vector<std::thread> helpers;
    const int helperCount = std::min(nThreads, nFrames) - 1;
    for (int i = 0; i < helperCount; ++i)
    {
        // Fewer threads than asked only make it slower.
        try
        {
            helpers.emplace_back(WriteFrames, std::ref(job));
        }
        catch (const std::system_error&)
        {
            break;
        }
    }
    WriteFrames(job);
    for (std::thread& helper : helpers)
        helper.join();

    if (job.failed && error)
        *error = job.error;
    return !job.failed;
}
