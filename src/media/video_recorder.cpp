#include "media/video_recorder.h"

#include "media/gstreamer_init.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace
{
// The queue holds at most this many bytes of frames (and at least two
// frames): a few frames of VGA, enough to ride out the encoder's slow
// keyframes without letting a huge picture size take unbounded memory.
constexpr size_t kQueueBytes = 16u << 20;
// Frames waiting inside the pipeline before the feeder holds back; more
// would only move the queue out of our sight.
constexpr guint64 kFramesInPipeline = 2;
constexpr auto kPipelinePoll = std::chrono::milliseconds(1);
// Long enough for the encoder to drain its queue and the muxer to write
// its index; a stuck pipeline is closed with what it wrote.
constexpr GstClockTime kFinishTimeout = 10 * GST_SECOND;
// The encoder's realtime mode at its fastest setting keeps VGA encoding at
// a few milliseconds a frame; the bit budget scales with the picture.
constexpr const char* kEncoder =
    "vp8enc name=encoder deadline=1 cpu-used=16 threads=1 target-bitrate=0 bits-per-pixel=0.1";
constexpr const char* kSinkName = "zelmora_file";

std::string ErrorText(GstMessage* message)
{
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    std::string text = error ? error->message : "error de GStreamer";
    if (error)
        g_error_free(error);
    return text;
}

bool FromFileSink(GstMessage* message)
{
    return std::strcmp(GST_OBJECT_NAME(GST_MESSAGE_SRC(message)), kSinkName) == 0;
}

void FreeFrame(gpointer data) { delete static_cast<std::vector<unsigned char>*>(data); }
} // namespace

CVideoRecorder::CVideoRecorder(int width, int height, double frameRate)
    : m_nWidth(width), m_nHeight(height), m_dFrameRate(frameRate > 0.0 ? frameRate : 30.0)
{
    const size_t frameBytes = size_t(width) * size_t(height) * 4;
    m_nQueueLimit = std::max<size_t>(2, kQueueBytes / std::max<size_t>(frameBytes, 1));
}

std::unique_ptr<CVideoRecorder> CVideoRecorder::Open(const std::string& path, int width,
                                                     int height, double frameRate,
                                                     std::string* error)
{
    if (width <= 0 || height <= 0)
    {
        *error = "el vídeo no tiene tamaño";
        return nullptr;
    }
    std::unique_ptr<CVideoRecorder> recorder(new CVideoRecorder(width, height, frameRate));
    if (!recorder->Start(path, error))
        return nullptr;
    return recorder;
}

bool CVideoRecorder::Start(const std::string& path, std::string* error)
{
    EnsureGstreamer();
    GError* parseError = nullptr;
    const std::string description = std::string("appsrc name=frames ! videoconvert ! ") +
                                    kEncoder + " ! webmmux name=muxer ! filesink name=" +
                                    kSinkName;
    m_pPipeline = gst_parse_launch(description.c_str(), &parseError);
    if (!m_pPipeline || parseError)
    {
        *error = std::string("no se puede crear el codificador de vídeo: ") +
                 (parseError ? parseError->message : "?");
        if (parseError)
            g_error_free(parseError);
        return false;
    }
    m_pSource = gst_bin_get_by_name(GST_BIN(m_pPipeline), "frames");
    m_pMuxer = gst_bin_get_by_name(GST_BIN(m_pPipeline), "muxer");
    GstElement* sink = gst_bin_get_by_name(GST_BIN(m_pPipeline), kSinkName);
    g_object_set(sink, "location", path.c_str(), nullptr);
    gst_object_unref(sink);

    gint rateNum = 0;
    gint rateDen = 1;
    gst_util_double_to_fraction(m_dFrameRate, &rateNum, &rateDen);
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "RGBA", "width",
                                        G_TYPE_INT, m_nWidth, "height", G_TYPE_INT, m_nHeight,
                                        "framerate", GST_TYPE_FRACTION, rateNum, rateDen, nullptr);
    g_object_set(m_pSource, "caps", caps, "format", GST_FORMAT_TIME, nullptr);
    gst_caps_unref(caps);

    // The file sink opens its file here; a path that cannot be written fails
    // now, before any frame is taken.
    if (gst_element_set_state(m_pPipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
    {
        GstBus* bus = gst_element_get_bus(m_pPipeline);
        GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
        *error = message ? ErrorText(message) : "no se puede iniciar la grabación";
        if (message)
            gst_message_unref(message);
        gst_object_unref(bus);
        return false;
    }
    m_feeder = std::thread([this] { FeedEncoder(); });
    return true;
}

CVideoRecorder::~CVideoRecorder()
{
    if (m_feeder.joinable())
        Finish();
    if (m_pPipeline)
    {
        gst_element_set_state(m_pPipeline, GST_STATE_NULL);
        gst_object_unref(m_pSource);
        gst_object_unref(m_pMuxer);
        gst_object_unref(m_pPipeline);
    }
}

bool CVideoRecorder::Submit(const unsigned char* rgba, bool bottomUp, bool wait)
{
    const long long nIndex = m_nSubmitted++;
    if (m_bFailed || m_bFinished)
        return false;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (wait)
            m_changed.wait(lock, [this] { return m_queue.size() < m_nQueueLimit || m_bFailed; });
        if (m_queue.size() >= m_nQueueLimit || m_bFailed)
        {
            ++m_nDropped;
            return false;
        }
    }
    const size_t rowBytes = size_t(m_nWidth) * 4;
    QueuedFrame frame;
    frame.nIndex = nIndex;
    frame.pixels.resize(rowBytes * m_nHeight);
    for (int row = 0; row < m_nHeight; ++row)
    {
        const int from = bottomUp ? m_nHeight - 1 - row : row;
        std::memcpy(&frame.pixels[rowBytes * row], rgba + rowBytes * from, rowBytes);
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(frame));
    }
    m_changed.notify_all();
    return true;
}

void CVideoRecorder::FeedEncoder()
{
    GstBus* bus = gst_element_get_bus(m_pPipeline);
    for (;;)
    {
        QueuedFrame frame;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait_for(lock, std::chrono::milliseconds(50),
                               [this] { return !m_queue.empty() || m_bStopping; });
            if (m_queue.empty() && m_bStopping)
                break;
            if (!m_queue.empty())
            {
                frame = std::move(m_queue.front());
                m_queue.pop_front();
            }
        }
        m_changed.notify_all();
        if (GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR))
        {
            Fail(ErrorText(message));
            m_bFileFailed = FromFileSink(message);
            gst_message_unref(message);
            // A failing file takes nothing more; a failing encoder still
            // lets the muxer finish what reached it.
            if (m_bFileFailed)
                break;
        }
        if (!frame.pixels.empty() && !m_bFailed)
            PushToEncoder(std::move(frame.pixels), frame.nIndex);
    }
    gst_object_unref(bus);
}

bool CVideoRecorder::PushToEncoder(std::vector<unsigned char> pixels, long long nIndex)
{
    const guint64 frameBytes = guint64(m_nWidth) * m_nHeight * 4;
    const auto start = std::chrono::steady_clock::now();
    while (gst_app_src_get_current_level_bytes(GST_APP_SRC(m_pSource)) >=
               kFramesInPipeline * frameBytes &&
           !m_bFailed)
    {
        // An encoder that takes nothing for this long will not: the
        // recording ends rather than Finish waiting on it forever.
        if (std::chrono::steady_clock::now() - start > std::chrono::nanoseconds(kFinishTimeout))
        {
            Fail("el codificador de vídeo no avanza");
            return false;
        }
        std::this_thread::sleep_for(kPipelinePoll);
    }

    auto* data = new std::vector<unsigned char>(std::move(pixels));
    GstBuffer* buffer = gst_buffer_new_wrapped_full(GstMemoryFlags(0), data->data(), data->size(),
                                                    0, data->size(), data, FreeFrame);
    gint rateNum = 0;
    gint rateDen = 1;
    gst_util_double_to_fraction(m_dFrameRate, &rateNum, &rateDen);
    // Stamped by place in the stream: a dropped frame leaves a gap, so the
    // video keeps the run's own timing.
    GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(guint64(nIndex), GST_SECOND * rateDen, rateNum);
    GST_BUFFER_DURATION(buffer) = gst_util_uint64_scale(1, GST_SECOND * rateDen, rateNum);
    if (gst_app_src_push_buffer(GST_APP_SRC(m_pSource), buffer) != GST_FLOW_OK)
        return false;
    ++m_nWritten;
    return true;
}

void CVideoRecorder::Fail(const std::string& error)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_strError.empty())
            m_strError = error;
    }
    m_bFailed = true;
    m_changed.notify_all();
}

CVideoRecorder::Summary CVideoRecorder::Finish()
{
    if (m_bFinished)
        return m_summary;
    m_bFinished = true;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopping = true;
    }
    m_changed.notify_all();
    m_feeder.join();
    EndStream();
    gst_element_set_state(m_pPipeline, GST_STATE_NULL);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_summary.nWritten = m_nWritten;
    m_summary.nDropped = m_nDropped;
    m_summary.strError = m_strError;
    return m_summary;
}

// End of stream makes the muxer write its index and close the file
// properly, so even a failed recording plays up to where it stopped.
void CVideoRecorder::EndStream()
{
    if (m_bFileFailed)
        return;
    GstBus* bus = gst_element_get_bus(m_pPipeline);
    if (!m_bFailed)
        gst_app_src_end_of_stream(GST_APP_SRC(m_pSource));
    else
    {
        // The encoder gave up: the end goes straight to the muxer.
        GstIterator* pads = gst_element_iterate_sink_pads(m_pMuxer);
        GValue item = G_VALUE_INIT;
        while (gst_iterator_next(pads, &item) == GST_ITERATOR_OK)
        {
            gst_pad_send_event(GST_PAD(g_value_get_object(&item)), gst_event_new_eos());
            g_value_reset(&item);
        }
        g_value_unset(&item);
        gst_iterator_free(pads);
    }
    for (;;)
    {
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus, kFinishTimeout, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        if (!message)
        {
            Fail("la grabación no terminó a tiempo");
            break;
        }
        const bool ended = GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
        const bool fileFailed = !ended && FromFileSink(message);
        if (!ended)
            Fail(ErrorText(message));
        gst_message_unref(message);
        if (ended || fileFailed)
            break;
    }
    gst_object_unref(bus);
}
