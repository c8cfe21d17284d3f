#include "support/video_decode.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

DecodedVideo DecodeWebm(const std::string& path, int sampleFrame, const FrameVisitor& visit)
{
    gst_init(nullptr, nullptr);
    DecodedVideo video;
    GError* parseError = nullptr;
    GstElement* pipeline = gst_parse_launch(
        "filesrc name=file ! matroskademux ! vp8dec ! videoconvert ! "
        "video/x-raw,format=RGBA ! appsink name=sink sync=false",
        &parseError);
    if (parseError)
    {
        video.error = parseError->message;
        g_error_free(parseError);
        return video;
    }
    GstElement* file = gst_bin_get_by_name(GST_BIN(pipeline), "file");
    g_object_set(file, "location", path.c_str(), nullptr);
    gst_object_unref(file);
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    while (GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(sink)))
    {
        GstStructure* caps = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
        gst_structure_get_int(caps, "width", &video.width);
        gst_structure_get_int(caps, "height", &video.height);
        GstMapInfo map;
        gst_buffer_map(gst_sample_get_buffer(sample), &map, GST_MAP_READ);
        if (video.frames == sampleFrame)
            video.sample.assign(map.data, map.data + size_t(video.width) * video.height * 4);
        if (visit)
            visit(video.frames, map.data);
        gst_buffer_unmap(gst_sample_get_buffer(sample), &map);
        ++video.frames;
        gst_sample_unref(sample);
    }
    GstBus* bus = gst_element_get_bus(pipeline);
    if (GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR))
    {
        GError* error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        video.error = error ? error->message : "error";
        if (error)
            g_error_free(error);
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(sink);
    gst_object_unref(pipeline);
    return video;
}
