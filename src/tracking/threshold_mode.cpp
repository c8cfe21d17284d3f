#include "tracking/threshold_mode.h"

#include <cstdlib>

bool parseDetectionThreshold(const std::string& text, DetectionThreshold* threshold,
                             std::string* error)
{
    if (text == "adaptive" || text == "auto")
    {
        threshold->mode = text == "auto" ? ThresholdMode::Automatic : ThresholdMode::Adaptive;
        return true;
    }
    char* end = nullptr;
    const long value = text.empty() ? -1 : std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0 || value > 255)
    {
        *error = "threshold '" + text + "': expected a grey level 0..255, auto or adaptive";
        return false;
    }
    threshold->mode = ThresholdMode::Fixed;
    threshold->value = static_cast<int>(value);
    return true;
}
