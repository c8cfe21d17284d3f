#include "cli/cli_commands.h"

#include "cli/library_output.h"
#include "imaging/image_file.h"
#include "tracking/auto_threshold.h"
#include "tracking/camera_param.h"
#include "tracking/detection.h"
#include "tracking/pattern_matching.h"
#include "tracking/pose.h"
#include "tracking/tracking_state.h"

#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct DetectOptions
{
    std::string camera;
    std::vector<std::string> patterns;
    DetectionThreshold threshold; // adaptive when not given
    double widthMm = 80.0;
    bool sequence = false;
    std::vector<std::string> images;
};

nlohmann::json Pair(const double v[2])
{
    return nlohmann::json::array({v[0], v[1]});
}

nlohmann::json MarkerJson(const MarkerInfo& marker, const std::map<int, int>& patternOfSlot,
                          double widthMm)
{
    const auto pattern = patternOfSlot.find(marker.id);
    nlohmann::json vertices = nlohmann::json::array();
    for (const auto& vertex : marker.vertex)
        vertices.push_back(Pair(vertex));
    nlohmann::json json = {{"pattern", pattern == patternOfSlot.end() ? -1 : pattern->second},
                           {"id", marker.id},
                           {"dir", marker.dir},
                           {"cf", marker.cf},
                           {"area", marker.area},
                           {"pos", Pair(marker.pos)},
                           {"vertex", vertices},
                           {"transform", nullptr},
                           {"error", nullptr}};
    if (marker.id < 0)
        return json;
    const double center[2] = {0.0, 0.0};
    double transform[3][4];
    const double error = estimateMarkerTransform(marker, center, widthMm, transform);
    if (error < 0.0)
        return json;
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& row : transform)
        rows.push_back({row[0], row[1], row[2], row[3]});
    json["transform"] = rows;
    json["error"] = error;
    return json;
}

void RunDetect(const DetectOptions& options)
{
    CLibraryOutputToStderr diagnostics;
    trackingState().Reset();
    CameraParam loaded;
    if (loadCameraParam(options.camera.c_str(), 1, &loaded) < 0)
        throw CommandFailure(options.camera + ": not a readable camera parameter file");

    std::map<int, int> patternOfSlot;
    for (size_t i = 0; i < options.patterns.size(); ++i)
    {
        const int slot = loadPattern(options.patterns[i].c_str());
        if (slot < 0)
            throw CommandFailure(options.patterns[i] + ": not a readable pattern file");
        patternOfSlot[slot] = static_cast<int>(i);
    }

    for (const std::string& path : options.images)
    {
        BgraImage image;
        std::string error;
        if (!ReadImageFile(path, &image, &error))
            throw CommandFailure(error);
        if (!trackingState().hasCamera || image.width != trackingState().xsize ||
            image.height != trackingState().ysize)
        {
            CameraParam resized;
            changeCameraParamSize(loaded, image.width, image.height, &resized);
            initCameraParam(resized);
        }
        // Each image is its own scene: the automatic threshold is taken from it.
        DetectionThreshold threshold = options.threshold;
        if (threshold.mode == ThresholdMode::Automatic)
            threshold = {ThresholdMode::Fixed,
                         automaticThreshold(image.pixels.data(), image.width, image.height)};
        if (!options.sequence)
            trackingState().detection.ClearHistory();

        MarkerInfo* markers = nullptr;
        int count = 0;
        detectMarkers(image.pixels.data(), threshold, &markers, &count);
        nlohmann::json found = nlohmann::json::array();
        for (int i = 0; i < count; ++i)
            found.push_back(MarkerJson(markers[i], patternOfSlot, options.widthMm));
        const nlohmann::json line = {
            {"image", path},
            {"threshold", threshold.mode == ThresholdMode::Adaptive ? nlohmann::json("adaptive")
                                                                      : nlohmann::json(threshold.value)},
            {"markers", found}};
        diagnostics.WriteData(line.dump() + "\n");
    }
}
} // namespace

void RegisterDetectCommands(CLI::App& app)
{
    auto options = std::make_shared<DetectOptions>();
    CLI::App* detect = app.add_subcommand(
        "detect", "Find the markers in image files; one JSON object per image (JSON Lines)");
    detect->add_option("--camera", options->camera, "camera parameter file")->required();
    detect->add_option("--pattern", options->patterns, "pattern file; repeat for more")
        ->allow_extra_args(false);
    detect
        ->add_option_function<std::string>(
            "--threshold",
            [options](const std::string& text)
            {
                std::string error;
                if (!parseDetectionThreshold(text, &options->threshold, &error))
                    throw CLI::ValidationError("--threshold", error);
            },
            "N (0..255), auto (each image's automatic threshold) or adaptive (the default: "
            "each pixel against its neighbourhood)")
        ->type_name("N|auto|adaptive");
    detect->add_option("--width", options->widthMm, "printed marker width for the pose")
        ->check(CLI::PositiveNumber);
    detect->add_flag("--sequence", options->sequence,
                     "treat the images as consecutive frames (keep the history)");
    detect->add_option("images", options->images, "image files (PNG, JPEG, BMP)")->required();
    detect->callback([options] { RunDetect(*options); });
}
