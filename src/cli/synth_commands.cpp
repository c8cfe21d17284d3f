#include "cli/cli_commands.h"

#include "imaging/image_file.h"
#include "synth/frame_renderer.h"
#include "synth/pattern_picture.h"
#include "synth/synth_pose.h"
#include "tracking/camera_param.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr int kMaxFrameSide = 4096; // keeps the float image of a frame within 200 MB

struct SynthCommandOptions
{
    std::string camera;
    std::vector<std::string> patterns;
    std::vector<std::string> markers;
    std::string output;
    std::string size;
    double marginMm = -1.0; // a fifth of the width when not given
    int background = 150;
    int blobs = 0;
    SynthOptions render;
};

struct MarkerSpec
{
    int pattern = 0;
    double widthMm = 0.0;
    double turnDeg = 0.0, tiltDeg = 0.0, tiltAxisDeg = 0.0;
    double position[3] = {};
};

MarkerSpec ParseMarker(const std::string& text, size_t patternCount)
{
    std::vector<double> values;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
    {
        size_t used = 0;
        double value = 0.0;
        try
        {
            value = std::stod(item, &used);
        }
        catch (const std::exception&)
        {
            used = 0;
        }
        if (used == 0 || used != item.size() || !std::isfinite(value))
            throw CommandFailure("--marker " + text + ": \"" + item + "\" is not a number");
        values.push_back(value);
    }
    if (values.size() != 8)
        throw CommandFailure("--marker " + text +
                             ": expected PATTERN,WIDTH,TURN,TILT,TILTAXIS,X,Y,Z");
    MarkerSpec spec;
    if (values[0] != std::floor(values[0]) || values[0] < 0 || values[0] >= patternCount)
        throw CommandFailure("--marker " + text + ": no --pattern with that index");
    spec.pattern = static_cast<int>(values[0]);
    spec.widthMm = values[1];
    if (!(spec.widthMm > 0.0))
        throw CommandFailure("--marker " + text + ": the width must be positive");
    spec.turnDeg = values[2];
    spec.tiltDeg = values[3];
    spec.tiltAxisDeg = values[4];
    for (int i = 0; i < 3; ++i)
        spec.position[i] = values[5 + i];
    if (!(spec.position[2] > 0.0))
        throw CommandFailure("--marker " + text + ": Z must be in front of the camera");
    return spec;
}

nlohmann::json Corners(const double corners[4][2])
{
    nlohmann::json json = nlohmann::json::array();
    for (int k = 0; k < 4; ++k)
        json.push_back({corners[k][0], corners[k][1]});
    return json;
}

void RunSynth(const SynthCommandOptions& options)
{
    CameraParam camera;
    if (loadCameraParam(options.camera.c_str(), 1, &camera) < 0)
        throw CommandFailure(options.camera + ": not a readable camera parameter file");
    if (!options.size.empty())
    {
        int width = 0, height = 0;
        char extra = 0;
        if (std::sscanf(options.size.c_str(), "%dx%d%c", &width, &height, &extra) != 2 ||
            width < 1 || height < 1 || width > kMaxFrameSide || height > kMaxFrameSide)
            throw CommandFailure("--size " + options.size + ": expected WIDTHxHEIGHT, each 1.." +
                                 std::to_string(kMaxFrameSide));
        CameraParam resized;
        changeCameraParamSize(camera, width, height, &resized);
        camera = resized;
    }
    if (camera.xsize > kMaxFrameSide || camera.ysize > kMaxFrameSide)
        throw CommandFailure(options.camera + ": frame size over " + std::to_string(kMaxFrameSide) +
                             "; give --size");

    std::vector<SynthPicture> pictures;
    for (const std::string& path : options.patterns)
    {
        std::string error;
        pictures.push_back(readPatternPicture(path, error));
        if (pictures.back().width == 0)
            throw CommandFailure(error);
    }

    std::vector<SynthMarker> markers;
    std::vector<int> patternOfMarker;
    for (const std::string& text : options.markers)
    {
        const MarkerSpec spec = ParseMarker(text, pictures.size());
        SynthMarker marker;
        marker.picture = &pictures[spec.pattern];
        marker.widthMm = spec.widthMm;
        marker.marginMm = options.marginMm >= 0.0 ? options.marginMm : spec.widthMm / 5.0;
        markerPose(spec.turnDeg, spec.tiltDeg, spec.tiltAxisDeg, spec.position,
                   marker.cameraFromMarker);
        markers.push_back(marker);
        patternOfMarker.push_back(spec.pattern);
    }

    const CFrameRenderer renderer(camera, options.render);
    if (!renderer.Valid())
        throw CommandFailure(options.camera + ": the camera matrix cannot be inverted");
    SynthBackground background;
    background.grey = static_cast<unsigned char>(options.background);
    background.blobCount = options.blobs;
    background.seed = options.render.seed;
    const SynthFrame frame = renderer.Render(markers, background);

    BgraImage image(frame.width, frame.height);
    image.pixels = frame.bgra;
    std::string error;
    if (!WritePngFile(options.output, image, &error))
        throw CommandFailure(error);

    nlohmann::json truths = nlohmann::json::array();
    for (size_t i = 0; i < frame.truths.size(); ++i)
    {
        const SynthTruth& truth = frame.truths[i];
        nlohmann::json rows = nlohmann::json::array();
        for (const auto& row : truth.cameraFromMarker)
            rows.push_back({row[0], row[1], row[2], row[3]});
        truths.push_back({{"pattern", patternOfMarker[i]},
                          {"transform", rows},
                          {"vertex", Corners(truth.idealCorners)},
                          {"observed", Corners(truth.observedCorners)}});
    }
    const nlohmann::json report = {{"image", options.output},
                                   {"width", frame.width},
                                   {"height", frame.height},
                                   {"markers", truths}};
    std::printf("%s\n", report.dump().c_str());
}
} // namespace

void RegisterSynthCommands(CLI::App& app)
{
    auto options = std::make_shared<SynthCommandOptions>();
    CLI::App* synth = app.add_subcommand(
        "synth", "Render a frame of printed markers at known poses; prints the true corners "
                 "and poses as JSON");
    synth->add_option("--camera", options->camera, "camera parameter file")->required();
    synth->add_option("--pattern", options->patterns, "pattern file whose picture is printed")
        ->allow_extra_args(false);
    synth
        ->add_option("--marker", options->markers,
                     "PATTERN,WIDTH,TURN,TILT,TILTAXIS,X,Y,Z: pattern index, printed width, "
                     "turn in its plane, tilt and the tilt axis's angle (degrees), centre in "
                     "the camera frame; facing the camera when the angles are 0")
        ->allow_extra_args(false);
    synth->add_option("-o,--output", options->output, "PNG file to write")->required();
    synth->add_option("--size", options->size, "frame size WIDTHxHEIGHT (default: the camera's)");
    synth->add_option("--margin", options->marginMm, "white paper around the black square")
        ->check(CLI::NonNegativeNumber);
    synth->add_option("--background", options->background, "background grey level")
        ->check(CLI::Range(0, 255));
    synth->add_option("--blobs", options->blobs, "dark blobs on the background")
        ->check(CLI::Range(0, 100000));
    synth
        ->add_option("--supersampling", options->render.supersampling,
                     "samples per pixel side on markers")
        ->check(CLI::Range(1, 8));
    synth->add_option("--noise", options->render.noiseSigma, "Gaussian noise sigma (grey levels)")
        ->check(CLI::Range(0.0, 100.0));
    synth->add_option("--blur", options->render.blurSigmaPx, "Gaussian blur sigma (pixels)")
        ->check(CLI::Range(0.0, 20.0));
    synth
        ->add_option("--light", options->render.lightGradient,
                     "change of light from the centre to the edge, e.g. 0.2")
        ->check(CLI::Range(0.0, 1.0));
    synth->add_option("--light-angle", options->render.lightAngleDeg,
                      "direction in which the light grows (degrees)");
    synth->add_option("--seed", options->render.seed, "seed of the noise and the blobs");
    synth->callback([options] { RunSynth(*options); });
}
