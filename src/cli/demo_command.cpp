#include "cli/cli_commands.h"

#include "app/project_file.h"
#include "app/zelmora_doc.h"
#include "cli/camera_file.h"
#include "cli/demo_content.h"
#include "cli/demo_frames.h"
#include "cli/demo_sequence.h"
#include "cli/marker_files.h"
#include "cli/track_output.h"
#include "imaging/image_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace
{
constexpr int kPrintedSquarePx = 512;

const char* const kVideoConfig = "video.cfg";
const char* const kCameraFile = "camara.dat";
const char* const kProjectFile = "demo.zel";

void Check(bool ok, const std::string& error)
{
    if (!ok)
        throw CommandFailure(error);
}

CModel3D DemoModel()
{
    CModel3D model;
    model.m_strName = "Casa";
    model.m_strFile = "modelos/casa.3ds";
    return model;
}

// The project: "Coche" on the two-marker board, "Señal" on the single marker.
void WriteProject(const std::string& dir)
{
    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.m_strVideoConfig = kVideoConfig;
    doc.m_strCameraParam = kCameraFile;
    doc.m_nThreshold = kDemoStartThreshold;
    doc.m_trackers = DemoTrackers("marcadores");
    for (CTracker& tracker : doc.m_trackers)
        tracker.m_models = {DemoModel()};
    std::string error;
    Check(doc.SaveProject(dir + "/" + kProjectFile, &error), error);
}

// The true pose of each tracker in every frame, laid out as `track` writes
// its own: the reference marker's pose with x mirrored, found while any of
// the tracker's markers is in view.
void WriteGroundTruth(const std::string& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "w"),
                                                         std::fclose);
    Check(file != nullptr, "cannot write " + path);
    std::list<CTracker> trackers(2);
    trackers.front().m_strName = "Coche";
    trackers.back().m_strName = "Señal";
    CTrackOutput output(file.get(), CTrackOutput::Format::Csv);
    for (int frame = 0; frame < kDemoFrames; ++frame)
    {
        const DemoFrameTruth truth = DemoTruthAt(frame);
        int marker = 0;
        for (CTracker& tracker : trackers)
        {
            tracker.m_pose = CMatrix::FromTransform(truth.cameraFromMarker[marker]);
            for (int k = 0; k < 3; ++k)
                tracker.m_pose.GetData()[k] = -tracker.m_pose.GetData()[k];
            tracker.m_bFound =
                marker == 0 ? truth.visible[0] || truth.visible[1] : truth.visible[2];
            marker = 2;
        }
        output.WriteFrame(frame, trackers);
    }
    Check(std::fflush(file.get()) == 0, "cannot write " + path);
}

void RunDemo(const std::string& requested)
{
    const std::string dir = AbsoluteProjectPath(requested);
    std::error_code created;
    for (const char* sub : {"marcadores", "modelos", "fotogramas"})
        std::filesystem::create_directories(dir + "/" + sub, created);
    Check(!created, dir + ": " + created.message());

    const CameraParam camera = DemoCamera();
    std::string error;
    Check(WriteCameraParamFile(dir + "/" + kCameraFile, camera, &error), error);

    const std::vector<DemoPicture> pictures = DemoPictures();
    std::vector<SynthPicture> printed;
    for (const DemoPicture& picture : pictures)
    {
        const std::string stem = dir + "/marcadores/" + picture.name;
        Check(WritePngFile(stem + ".png", picture.picture, &error), error);
        Check(MakeMarkerFiles(picture.picture, kPrintedSquarePx, stem + ".patt",
                              stem + "-imprimir.png", &error),
              error);
        printed.push_back(ToSynthPicture(picture.picture));
    }
    Check(WriteDemoHouse(dir + "/modelos", &error), error);

    const SynthPicture* const markers[kDemoMarkers] = {&printed[0], &printed[1], &printed[2]};
    CDemoProgress progress(stderr, isatty(fileno(stderr)) != 0, kDemoFrames);
    Check(WriteDemoFrames(dir + "/fotogramas", camera, markers, kDemoFrames, DemoFrameThreads(),
                          progress, &error),
          error);
    std::ofstream config(dir + "/" + kVideoConfig);
    config << "# La secuencia de la demo: 30 fotogramas por segundo, en bucle\n"
              "multifilesrc location=fotogramas/fotograma%04d.jpg caps=image/jpeg,framerate=30/1 "
              "! jpegdec\n";
    Check(static_cast<bool>(config.flush()), "cannot write " + dir + "/" + kVideoConfig);

    WriteProject(dir);
    WriteGroundTruth(dir + "/groundtruth.csv");
    std::printf("demo: %s/%s (%d frames, trackers Coche and Señal)\n", dir.c_str(), kProjectFile,
                kDemoFrames);
}
} // namespace

void RegisterDemoCommands(CLI::App& app)
{
    auto dir = std::make_shared<std::string>();
    CLI::App* demo = app.add_subcommand(
        "demo", "Write a ready-to-run demo project: markers, camera, model, video, ground truth");
    demo->add_option("DIR", *dir, "Folder to write (created when missing)")->required();
    demo->callback([dir] { RunDemo(*dir); });
}
