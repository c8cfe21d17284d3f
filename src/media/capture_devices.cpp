#include "media/capture_devices.h"
#include "imaging/replace_file.h"

#include <gst/gst.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
constexpr double kSmoothRate = 25.0;
// Rates from a caps fraction are read as given; two are the same when they
// differ by less than this.
constexpr double kRateTolerance = 0.01;

void AddRates(const GValue* value, std::vector<FrameRate>* rates)
{
    if (GST_VALUE_HOLDS_FRACTION(value))
        rates->push_back({gst_value_get_fraction_numerator(value),
                          gst_value_get_fraction_denominator(value)});
    else if (GST_VALUE_HOLDS_LIST(value))
        for (guint i = 0; i < gst_value_list_get_size(value); ++i)
            AddRates(gst_value_list_get_value(value, i), rates);
    else if (GST_VALUE_HOLDS_FRACTION_RANGE(value))
        AddRates(gst_value_get_fraction_range_max(value), rates);
}

// A fixed size and its rates from one caps structure; false for sizes given
// as ranges, which capture devices do not use for real sizes.
bool ModeOf(const GstStructure* structure, CaptureMode* mode)
{
    const bool raw = gst_structure_has_name(structure, "video/x-raw");
    if (!raw && !gst_structure_has_name(structure, "image/jpeg"))
        return false;
    if (!gst_structure_get_int(structure, "width", &mode->width) ||
        !gst_structure_get_int(structure, "height", &mode->height))
        return false;
    mode->compressed = !raw;
    if (const GValue* rates = gst_structure_get_value(structure, "framerate"))
        AddRates(rates, &mode->rates);
    std::sort(mode->rates.begin(), mode->rates.end(),
              [](const FrameRate& a, const FrameRate& b) { return a.Value() > b.Value(); });
    mode->rates.erase(std::unique(mode->rates.begin(), mode->rates.end(),
                                  [](const FrameRate& a, const FrameRate& b)
                                  { return std::fabs(a.Value() - b.Value()) < kRateTolerance; }),
                      mode->rates.end());
    return true;
}

std::string PathOf(GstDevice* device)
{
    std::string path;
    if (GstStructure* properties = gst_device_get_properties(device))
    {
        for (const char* key : {"device.path", "api.v4l2.path"})
            if (const char* value = gst_structure_get_string(properties, key); value && path.empty())
                path = value;
        gst_structure_free(properties);
    }
    return path;
}

CaptureDevice DescribeDevice(GstDevice* device)
{
    CaptureDevice description;
    gchar* name = gst_device_get_display_name(device);
    description.name = name ? name : "";
    g_free(name);
    description.path = PathOf(device);
    if (GstCaps* caps = gst_device_get_caps(device))
    {
        for (guint i = 0; i < gst_caps_get_size(caps); ++i)
        {
            CaptureMode mode;
            if (ModeOf(gst_caps_get_structure(caps, i), &mode))
                description.modes.push_back(mode);
        }
        gst_caps_unref(caps);
    }
    return description;
}

bool HasRate(const CaptureMode& mode, double rate)
{
    return std::any_of(mode.rates.begin(), mode.rates.end(), [rate](const FrameRate& r)
                       { return std::fabs(r.Value() - rate) < kRateTolerance; });
}

double TopRate(const CaptureMode& mode) { return mode.rates.empty() ? 0.0 : mode.rates[0].Value(); }
} // namespace

std::vector<CaptureDevice> ListCaptureDevices()
{
    gst_init(nullptr, nullptr);
    std::vector<CaptureDevice> devices;
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
    if (!gst_device_monitor_start(monitor))
    {
        gst_object_unref(monitor);
        return devices;
    }
    GList* found = gst_device_monitor_get_devices(monitor);
    for (GList* item = found; item; item = item->next)
    {
        CaptureDevice device = DescribeDevice(GST_DEVICE(item->data));
        const bool known = std::any_of(devices.begin(), devices.end(), [&](const CaptureDevice& d)
                                       { return d.path == device.path; });
        if (!device.path.empty() && !known)
            devices.push_back(device);
    }
    g_list_free_full(found, gst_object_unref);
    gst_device_monitor_stop(monitor);
    gst_object_unref(monitor);
    return devices;
}

const CaptureMode* DefaultCaptureMode(const CaptureDevice& device)
{
    const CaptureMode* best = nullptr;
    auto better = [](const CaptureMode& a, const CaptureMode* b)
    {
        if (!b)
            return true;
        const bool aSmooth = TopRate(a) >= kSmoothRate, bSmooth = TopRate(*b) >= kSmoothRate;
        if (aSmooth != bSmooth)
            return aSmooth;
        const long aArea = static_cast<long>(a.width) * a.height;
        const long bArea = static_cast<long>(b->width) * b->height;
        if (aArea != bArea)
            return aArea > bArea;
        return TopRate(a) > TopRate(*b) || (TopRate(a) == TopRate(*b) && !a.compressed && b->compressed);
    };
    for (const CaptureMode& mode : device.modes)
        if (better(mode, best))
            best = &mode;
    return best;
}

bool VideoConfigForDevice(const CaptureDevice& device, int width, int height, double rate,
                          std::string* text, std::string* error)
{
    if (width == 0 && height == 0)
    {
        const CaptureMode* mode = DefaultCaptureMode(device);
        if (!mode)
        {
            *error = device.path + " offers no frame size Zelmora can read";
            return false;
        }
        width = mode->width;
        height = mode->height;
    }
    // The mode at this size that has the rate (or the highest rate),
    // uncompressed first.
    const CaptureMode* chosen = nullptr;
    double chosenRate = 0.0;
    bool sizeOffered = false;
    for (const CaptureMode& mode : device.modes)
    {
        if (mode.width != width || mode.height != height)
            continue;
        sizeOffered = true;
        const double modeRate = rate > 0.0 ? (HasRate(mode, rate) ? rate : 0.0) : TopRate(mode);
        if (modeRate > chosenRate || (chosen && modeRate == chosenRate && chosen->compressed &&
                                      !mode.compressed))
        {
            chosen = &mode;
            chosenRate = modeRate;
        }
    }
    if (!sizeOffered)
    {
        *error = device.path + " does not offer " + std::to_string(width) + " x " +
                 std::to_string(height) + " pixels";
        return false;
    }
    if (!chosen)
    {
        char rateText[32];
        std::snprintf(rateText, sizeof rateText, "%g", rate);
        *error = device.path + " does not offer " + rateText + " frames a second at " +
                 std::to_string(width) + " x " + std::to_string(height) + " pixels";
        return false;
    }
    const FrameRate* fraction = &chosen->rates[0];
    for (const FrameRate& r : chosen->rates)
        if (std::fabs(r.Value() - chosenRate) < kRateTolerance)
            fraction = &r;
    const std::string caps = std::string(chosen->compressed ? "image/jpeg" : "video/x-raw") +
                             ",width=" + std::to_string(width) +
                             ",height=" + std::to_string(height) +
                             ",framerate=" + std::to_string(fraction->numerator) + "/" +
                             std::to_string(fraction->denominator);
    char comment[64];
    std::snprintf(comment, sizeof comment, "%d x %d at %g frames a second", width, height,
                  fraction->Value());
    *text = "# " + device.name + " (" + device.path + "), " + comment + "\n" +
            "v4l2src device=" + device.path + " ! " + caps +
            (chosen->compressed ? " ! jpegdec" : "") + "\n";
    return true;
}

bool WriteVideoConfigFile(const std::string& path, const std::string& text, std::string* error)
{
    return ReplaceFile(path, text, "video configuration", error);
}
