#pragma once
// A GStreamer pipeline that hands out BGRA frames: the pipeline comes from a
// video configuration file (gst-launch syntax, no sink) and ends in a BGRA
// appsink of our own. Used only by CVideoSource, on the user-interface
// thread; GStreamer's streaming threads only fill the appsink's queue.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

typedef struct _GstElement GstElement;
typedef struct _GstSample GstSample;

class CGstFrameSource
{
public:
    // Results of WaitForNextSample.
    static constexpr int kSampleReady = 0;
    static constexpr int kNoSampleYet = 1;
    static constexpr int kStreamEnded = -1; // end of stream or error; Error() says which

    CGstFrameSource();
    ~CGstFrameSource();
    CGstFrameSource(const CGstFrameSource&) = delete;
    CGstFrameSource& operator=(const CGstFrameSource&) = delete;

    // Each returns 0 or more on success, -1 on failure with Error() set.
    int BuildGraphFromConfigFile(const std::string& path);
    // Waits (a few seconds at most) until the pipeline has negotiated.
    int GetCurrentMediaFormat(int* width, int* height, double* frameRate);
    // everyFrame: a recorded source hands out every frame in order, as fast
    // as they are taken, instead of dropping stale ones in real time.
    int EnableMemoryBuffer(int count, bool everyFrame);
    int Run();

    int WaitForNextSample(int timeoutMs);
    int CheckoutMemoryBuffer(const unsigned char** data);
    void CheckinMemoryBuffer();
    void Stop();

    // End of stream restarts a seekable source from its start instead of
    // ending the stream.
    void SetLoop(bool loop) { m_bLoop = loop; }
    // Called from the streaming threads on every new frame, at the end of
    // the stream and on an error; see CVideoSource::SetFrameNotify.
    void SetNotify(std::function<void()> notify);
    void Notify();
    bool IsLive() const { return m_bLive; }
    const std::string& Error() const { return m_strError; }

private:
    bool PollBus();
    bool Restart();

    GstElement* m_pPipeline = nullptr;
    GstElement* m_pSink = nullptr;
    GstSample* m_pPending = nullptr;  // pulled, not yet checked out
    GstSample* m_pCheckedOut = nullptr;
    struct Mapping; // the checked-out frame's mapped memory
    std::unique_ptr<Mapping> m_pMap;
    bool m_bLive = false;
    bool m_bLoop = true;
    bool m_bEnded = false;
    std::string m_strError;
    std::mutex m_notifyMutex; // the streaming threads read m_notify
    std::function<void()> m_notify;
};
