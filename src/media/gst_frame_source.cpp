#include "media/gst_frame_source.h"

#include "media/gstreamer_init.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace
{
// Long enough for a camera to start or a file to open; short enough that a
// pipeline that never negotiates is reported rather than waited on forever.
constexpr GstClockTime kNegotiationTimeout = 10 * GST_SECOND;
constexpr GstClockTime kNegotiationPoll = 50 * GST_MSECOND;
// A pipeline description is a line or two; anything larger is not one.
constexpr std::streamsize kMaxConfigBytes = 64 * 1024;
constexpr const char* kSinkName = "zelmora_sink";

// The configuration without its comment lines, as one description.
bool ReadPipelineDescription(const std::string& path, std::string* description,
                             std::string* error)
{
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
    {
        *error = path + " no es un fichero";
        return false;
    }
    std::ifstream in(path);
    if (!in)
    {
        *error = "no se puede leer " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string text(kMaxConfigBytes + 1, '\0');
    in.read(text.data(), kMaxConfigBytes + 1);
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > static_cast<size_t>(kMaxConfigBytes))
    {
        *error = path + " es demasiado grande para ser una configuración de vídeo";
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    description->clear();
    while (std::getline(lines, line))
    {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        *description += line.substr(first) + " ";
    }
    if (description->find_first_not_of(' ') == std::string::npos)
    {
        *error = path + " no contiene ninguna fuente de vídeo";
        return false;
    }
    return true;
}

std::string DescribeError(GstMessage* message)
{
    GError* error = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    std::string text = error ? error->message : "error de vídeo";
    GstObject* source = GST_MESSAGE_SRC(message);
    if (source)
    {
        text = std::string(GST_OBJECT_NAME(source)) + ": " + text;
        // A file or device the element could not open is named, since the
        // library's own text ("Resource not found.") does not say which.
        for (const char* property : {"location", "device"})
        {
            if (!g_object_class_find_property(G_OBJECT_GET_CLASS(source), property))
                continue;
            gchar* value = nullptr;
            g_object_get(source, property, &value, nullptr);
            if (value)
                text += std::string(" (") + value + ")";
            g_free(value);
        }
    }
    if (error)
        g_error_free(error);
    g_free(debug);
    return text;
}
GstFlowReturn OnNewSample(GstAppSink*, gpointer self)
{
    static_cast<CGstFrameSource*>(self)->Notify();
    return GST_FLOW_OK;
}

void OnEos(GstAppSink*, gpointer self) { static_cast<CGstFrameSource*>(self)->Notify(); }

GstBusSyncReply OnBusMessage(GstBus*, GstMessage* message, gpointer self)
{
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
        static_cast<CGstFrameSource*>(self)->Notify();
    return GST_BUS_PASS;
}
} // namespace

struct CGstFrameSource::Mapping
{
    GstMapInfo info;
};

CGstFrameSource::CGstFrameSource() : m_pMap(std::make_unique<Mapping>()) { EnsureGstreamer(); }

CGstFrameSource::~CGstFrameSource()
{
    SetNotify(nullptr);
    CheckinMemoryBuffer();
    if (m_pPending)
        gst_sample_unref(m_pPending);
    if (m_pPipeline)
    {
        gst_element_set_state(m_pPipeline, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(m_pPipeline);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(m_pSink);
        gst_object_unref(m_pPipeline);
    }
}

int CGstFrameSource::BuildGraphFromConfigFile(const std::string& path)
{
    std::string description;
    if (!ReadPipelineDescription(path, &description, &m_strError))
        return -1;
    description += "! videoconvert ! video/x-raw,format=BGRA ! appsink name=";
    description += kSinkName;

    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    if (error)
    {
        m_strError = error->message;
        g_error_free(error);
        if (pipeline)
            gst_object_unref(pipeline);
        return -1;
    }
    if (!GST_IS_BIN(pipeline))
    {
        m_strError = "la configuración no describe una cadena de vídeo";
        gst_object_unref(pipeline);
        return -1;
    }
    m_pPipeline = pipeline;
    m_pSink = gst_bin_get_by_name(GST_BIN(pipeline), kSinkName);
    g_object_set(m_pSink, "max-buffers", 3u, "drop", FALSE, "sync", FALSE, nullptr);
    GstAppSinkCallbacks callbacks = {};
    callbacks.eos = OnEos;
    callbacks.new_sample = OnNewSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(m_pSink), &callbacks, this, nullptr);
    GstBus* bus = gst_element_get_bus(m_pPipeline);
    gst_bus_set_sync_handler(bus, OnBusMessage, this, nullptr);
    gst_object_unref(bus);
    return 0;
}

void CGstFrameSource::SetNotify(std::function<void()> notify)
{
    std::lock_guard<std::mutex> lock(m_notifyMutex);
    m_notify = std::move(notify);
}

void CGstFrameSource::Notify()
{
    std::lock_guard<std::mutex> lock(m_notifyMutex);
    if (m_notify)
        m_notify();
}

int CGstFrameSource::GetCurrentMediaFormat(int* width, int* height, double* frameRate)
{
    const GstStateChangeReturn change = gst_element_set_state(m_pPipeline, GST_STATE_PAUSED);
    if (change == GST_STATE_CHANGE_FAILURE)
    {
        PollBus();
        if (m_strError.empty())
            m_strError = "la fuente de vídeo no se puede abrir";
        return -1;
    }
    // A live source (a camera) does not preroll: its first frame only comes
    // once it plays, and that frame is kept as the first one handed out.
    m_bLive = change == GST_STATE_CHANGE_NO_PREROLL;
    if (m_bLive)
        gst_element_set_state(m_pPipeline, GST_STATE_PLAYING);

    GstSample* sample = nullptr;
    for (GstClockTime waited = 0; !sample && waited < kNegotiationTimeout;
         waited += kNegotiationPoll)
    {
        sample = m_bLive ? gst_app_sink_try_pull_sample(GST_APP_SINK(m_pSink), kNegotiationPoll)
                         : gst_app_sink_try_pull_preroll(GST_APP_SINK(m_pSink), kNegotiationPoll);
        if (!sample && (!PollBus() || gst_app_sink_is_eos(GST_APP_SINK(m_pSink))))
            break;
    }
    if (!sample)
    {
        if (m_strError.empty())
            m_strError = "la fuente de vídeo no ha dado ninguna imagen";
        return -1;
    }

    GstVideoInfo info;
    const bool known = gst_video_info_from_caps(&info, gst_sample_get_caps(sample));
    if (known)
    {
        *width = GST_VIDEO_INFO_WIDTH(&info);
        *height = GST_VIDEO_INFO_HEIGHT(&info);
        *frameRate = info.fps_d ? static_cast<double>(info.fps_n) / info.fps_d : 0.0;
    }
    if (m_bLive && known)
        m_pPending = sample;
    else
        gst_sample_unref(sample);
    if (!known)
    {
        m_strError = "formato de vídeo desconocido";
        return -1;
    }
    return 0;
}

int CGstFrameSource::EnableMemoryBuffer(int count, bool everyFrame)
{
    // Dropping keeps a live picture current; a recorded source that must
    // hand out every frame blocks its decoder instead.
    const bool drop = m_bLive || !everyFrame;
    const bool sync = !m_bLive && !everyFrame;
    g_object_set(m_pSink, "max-buffers", static_cast<guint>(count), "drop", drop, "sync", sync,
                 nullptr);
    return 0;
}

int CGstFrameSource::Run()
{
    if (gst_element_set_state(m_pPipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
    {
        PollBus();
        if (m_strError.empty())
            m_strError = "la fuente de vídeo no se puede poner en marcha";
        return -1;
    }
    return 0;
}

int CGstFrameSource::WaitForNextSample(int timeoutMs)
{
    if (m_bEnded || !PollBus())
        return kStreamEnded;
    if (m_pPending)
        return kSampleReady;
    m_pPending = gst_app_sink_try_pull_sample(GST_APP_SINK(m_pSink),
                                              static_cast<GstClockTime>(timeoutMs) * GST_MSECOND);
    // A camera's older frames are stale by the time they are taken: only
    // the newest is shown and tracked.
    while (m_pPending && m_bLive)
    {
        GstSample* newer = gst_app_sink_try_pull_sample(GST_APP_SINK(m_pSink), 0);
        if (!newer)
            break;
        gst_sample_unref(m_pPending);
        m_pPending = newer;
    }
    if (m_pPending)
        return kSampleReady;
    if (!PollBus())
        return kStreamEnded;
    if (gst_app_sink_is_eos(GST_APP_SINK(m_pSink)))
    {
        if (m_bLoop && !m_bLive && Restart())
            return kNoSampleYet;
        m_bEnded = true;
        if (m_bLoop)
            m_strError = "la fuente de vídeo ha terminado";
        return kStreamEnded;
    }
    return kNoSampleYet;
}

int CGstFrameSource::CheckoutMemoryBuffer(const unsigned char** data)
{
    if (!m_pPending || m_pCheckedOut)
        return -1;
    m_pCheckedOut = m_pPending;
    m_pPending = nullptr;
    GstBuffer* buffer = gst_sample_get_buffer(m_pCheckedOut);
    if (!buffer || !gst_buffer_map(buffer, &m_pMap->info, GST_MAP_READ))
    {
        gst_sample_unref(m_pCheckedOut);
        m_pCheckedOut = nullptr;
        return -1;
    }
    *data = m_pMap->info.data;
    return static_cast<int>(m_pMap->info.size > INT32_MAX ? INT32_MAX : m_pMap->info.size);
}

void CGstFrameSource::CheckinMemoryBuffer()
{
    if (!m_pCheckedOut)
        return;
    gst_buffer_unmap(gst_sample_get_buffer(m_pCheckedOut), &m_pMap->info);
    gst_sample_unref(m_pCheckedOut);
    m_pCheckedOut = nullptr;
}

void CGstFrameSource::Stop()
{
    if (m_pPipeline)
        gst_element_set_state(m_pPipeline, GST_STATE_NULL);
}

bool CGstFrameSource::PollBus()
{
    if (!m_pPipeline)
        return false;
    GstBus* bus = gst_element_get_bus(m_pPipeline);
    bool healthy = true;
    // Everything is popped so the bus never grows; end of stream is read
    // from the sink, where it arrives after the last frame.
    while (GstMessage* message = gst_bus_pop(bus))
    {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR && healthy)
        {
            m_strError = DescribeError(message);
            healthy = false;
        }
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    if (!healthy)
        m_bEnded = true;
    return healthy;
}

// Seeking back is the cheap way; sources that cannot seek (an image
// sequence) start again from NULL: READY keeps multifilesrc's file counter,
// so it went on past the end, refetching stale frames as fast as it could.
bool CGstFrameSource::Restart()
{
    if (gst_element_seek_simple(m_pPipeline, GST_FORMAT_TIME,
                                static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH), 0))
        return true;
    gst_element_set_state(m_pPipeline, GST_STATE_NULL);
    return gst_element_set_state(m_pPipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
}
