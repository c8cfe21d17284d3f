#pragma once
// Writes pictures of the live area to a WebM file through GStreamer
// (appsrc ! videoconvert ! vp8enc ! webmmux ! filesink). The caller's thread
// only copies a frame into a bounded queue; a thread of the recorder's own
// feeds the encoder, so a slow encoder costs dropped frames, never a slow
// run. Owned by whoever records (the document, zelmora-cli render); Submit,
// Finish and the queries come from that one thread.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

typedef struct _GstElement GstElement;

class CVideoRecorder
{
public:
    struct Summary
    {
        int nWritten = 0; // frames handed to the encoder
        int nDropped = 0; // frames the queue had no room for
        std::string strError; // empty when the file was finished cleanly
    };

    // Opens `path` for a width x height video at `frameRate` frames a second.
    // Null with `error` set when the pipeline cannot be built or the file
    // cannot be created.
    static std::unique_ptr<CVideoRecorder> Open(const std::string& path, int width, int height,
                                                double frameRate, std::string* error);
    ~CVideoRecorder();
    CVideoRecorder(const CVideoRecorder&) = delete;
    CVideoRecorder& operator=(const CVideoRecorder&) = delete;

    // Queues one width x height RGBA picture; `bottomUp` when row 0 is the
    // bottom one (OpenGL's order). With the queue full the frame is dropped
    // and counted, unless `wait`, which waits for room (headless rendering,
    // where nothing runs in real time). False when the frame was not taken.
    bool Submit(const unsigned char* rgba, bool bottomUp, bool wait = false);
    // The encoder or the file failed (disk full, encoder error): Finish now
    // keeps what was written and says why.
    bool Failed() const { return m_bFailed; }
    int Dropped() const { return m_nDropped; }
    // Writes what is queued, ends the stream so the muxer completes the file,
    // and closes it. Further calls return the same summary.
    Summary Finish();

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

private:
    CVideoRecorder(int width, int height, double frameRate);
    bool Start(const std::string& path, std::string* error);
    void FeedEncoder();
    bool PushToEncoder(std::vector<unsigned char> frame, long long nIndex);
    void Fail(const std::string& error);
    void EndStream();

    struct QueuedFrame
    {
        std::vector<unsigned char> pixels;
        long long nIndex = 0; // place in the stream, dropped frames counted
    };

    const int m_nWidth;
    const int m_nHeight;
    const double m_dFrameRate;
    size_t m_nQueueLimit = 1;
    GstElement* m_pPipeline = nullptr;
    GstElement* m_pSource = nullptr;
    GstElement* m_pMuxer = nullptr;

    std::mutex m_mutex; // guards the queue, m_bStopping and m_strError
    std::condition_variable m_changed;
    std::deque<QueuedFrame> m_queue;
    bool m_bStopping = false;
    std::string m_strError;
    std::atomic<bool> m_bFailed{false};
    bool m_bFileFailed = false; // the feeder's, read after it ended
    std::atomic<int> m_nWritten{0};
    int m_nDropped = 0;
    long long m_nSubmitted = 0;
    bool m_bFinished = false;
    Summary m_summary;
    std::thread m_feeder;
};
