#pragma once
// The video capture devices on this machine, as GStreamer's device monitor
// sees them, and the video configuration that opens one of them. No Qt;
// the user-interface thread or the command line.

#include <string>
#include <vector>

struct FrameRate
{
    int numerator = 0;
    int denominator = 1;

    double Value() const { return denominator ? static_cast<double>(numerator) / denominator : 0.0; }
};

// One frame size a device offers in one format, with its frame rates
// (highest first).
struct CaptureMode
{
    int width = 0;
    int height = 0;
    bool compressed = false; // JPEG from the device, decoded by the pipeline
    std::vector<FrameRate> rates;
};

struct CaptureDevice
{
    std::string name; // as the driver names it
    std::string path; // /dev/videoN
    std::vector<CaptureMode> modes;
};

// Devices in the order the monitor lists them, each path once; devices
// without a device path (not openable by v4l2src) are left out.
std::vector<CaptureDevice> ListCaptureDevices();

// The mode used when no size is asked for: the largest that runs at 25
// frames a second or more, else the largest.
const CaptureMode* DefaultCaptureMode(const CaptureDevice& device);

// The text of a video configuration file opening `device` at width x
// height (0 x 0: DefaultCaptureMode) and `rate` frames a second (0: the
// highest it offers at that size). Uncompressed frames are preferred at the
// same rate. False with the reason when the device offers no such size or
// rate.
bool VideoConfigForDevice(const CaptureDevice& device, int width, int height, double rate,
                          std::string* text, std::string* error);

// Writes beside the target and renames over it; false with a reason.
bool WriteVideoConfigFile(const std::string& path, const std::string& text, std::string* error);
