#include "demo/demo_project.h"

#include "demo/demo_content.h"
#include "demo/demo_frames.h"
#include "demo/demo_sign.h"
#include "demo/marker_files.h"
#include "document/zelmora_doc.h"
#include "formats/camera_file.h"
#include "imaging/image_file.h"
#include "imaging/replace_file.h"

#include <filesystem>

namespace
{
constexpr int kPrintedSquarePx = 512;
const char* const kVideoConfig = "video.cfg";
const char* const kCameraFile = "camara.dat";

CModel3D DemoModel(const char* name, const char* file)
{
    CModel3D model;
    model.m_strName = name;
    model.m_strFile = file;
    return model;
}

// The project: "Coche" on the two-marker board with the 3DS house, "Señal"
// on the single marker with the glTF sign.
bool WriteProject(const std::string& dir, std::string* error)
{
    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.m_settings.m_strVideoConfig = kVideoConfig;
    doc.m_settings.m_strCameraParam = kCameraFile;
    doc.m_settings.m_nThreshold = kDemoStartThreshold;
    // The demo shows the live run at its best: the threshold that follows
    // the light and the filter that neither shakes nor trails.
    doc.m_settings.m_bAdaptiveThreshold = true;
    doc.m_trackers = DemoTrackers("marcadores");
    for (CTracker& tracker : doc.m_trackers)
        for (CPattern& pattern : tracker.m_patterns)
            pattern.m_filter = PoseFilter::Adaptive;
    doc.m_trackers.front().m_models = {DemoModel("Casa", "modelos/casa.3ds")};
    doc.m_trackers.back().m_models = {DemoModel("Señal", "modelos/senal.gltf")};
    return doc.SaveProject(dir + "/" + kDemoProjectFile, error);
}

bool WriteMarkers(const std::string& dir, std::vector<SynthPicture>* printed, std::string* error)
{
    for (const DemoPicture& picture : DemoPictures())
    {
        const std::string stem = dir + "/marcadores/" + picture.name;
        if (!WritePngFile(stem + ".png", picture.picture, error) ||
            !MakeMarkerFiles(picture.picture, kPrintedSquarePx, stem + ".patt",
                             stem + "-imprimir.png", error))
            return false;
        printed->push_back(ToSynthPicture(picture.picture));
    }
    return true;
}

bool WriteVideoConfig(const std::string& dir, std::string* error)
{
    const std::string config =
        "# La secuencia de la demo: 30 fotogramas por segundo, en bucle\n"
        "multifilesrc location=fotogramas/fotograma%04d.jpg caps=image/jpeg,framerate=30/1 "
        "! jpegdec\n";
    AtomicWriteFailure failure;
    if (WriteFileAtomically(dir + "/" + kVideoConfig, config, &failure))
        return true;
    *error = "cannot write " + dir + "/" + kVideoConfig;
    return false;
}
} // namespace

bool WriteDemoProject(const std::string& dir, int frames, CDemoProgress& progress,
                      std::string* error)
{
    std::error_code created;
    for (const char* sub : {"marcadores", "modelos", "fotogramas"})
        std::filesystem::create_directories(dir + "/" + sub, created);
    if (created)
    {
        *error = dir + ": " + created.message();
        return false;
    }
    const CameraParam camera = DemoCamera();
    std::vector<SynthPicture> printed;
    if (!WriteCameraParamFile(dir + "/" + kCameraFile, camera, error) ||
        !WriteMarkers(dir, &printed, error) || !WriteDemoHouse(dir + "/modelos", error) ||
        !WriteDemoSign(dir + "/modelos", error))
        return false;
    const SynthPicture* const markers[kDemoMarkers] = {&printed[0], &printed[1], &printed[2]};
    return WriteDemoFrames(dir + "/fotogramas", camera, markers, frames, DemoFrameThreads(),
                           progress, error) &&
           WriteVideoConfig(dir, error) && WriteProject(dir, error);
}
