#pragma once
// GStreamer is initialised once a process, by whichever of the run's
// pipelines (the video source, a recording) comes first.

#include <gst/gst.h>

inline void EnsureGstreamer()
{
    static const bool initialised = [] {
        gst_init(nullptr, nullptr);
        return true;
    }();
    (void)initialised;
}
