#include "cli/cli_commands.h"

#include "formats/project_file.h"
#include "imaging/replace_file.h"
#include "demo/demo_project.h"
#include "demo/demo_sequence.h"
#include "cli/track_output.h"
#include "project/tracker.h"

#include <cstdio>
#include <cstdlib>
#include <list>
#include <memory>
#include <unistd.h>

namespace
{
void Check(bool ok, const std::string& error)
{
    if (!ok)
        throw CommandFailure(error);
}

// The true pose of each tracker in every frame, laid out as `track` writes
// its own: the reference marker's pose with x mirrored, found while any of
// the tracker's markers is in view.
void WriteGroundTruth(const std::string& path)
{
    // Written in memory first, so the file is replaced whole like the others.
    char* buffer = nullptr;
    size_t size = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(open_memstream(&buffer, &size),
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
    const bool flushed = std::fflush(file.get()) == 0;
    file.reset();
    const std::string bytes(buffer, flushed ? size : 0);
    std::free(buffer);
    Check(flushed, "cannot write " + path);
    std::string error;
    Check(ReplaceFile(path, bytes, "ground truth", &error), error);
}

void RunDemo(const std::string& requested)
{
    const std::string dir = AbsoluteProjectPath(requested);
    CDemoProgress progress(stderr, isatty(fileno(stderr)) != 0, kDemoFrames);
    std::string error;
    Check(WriteDemoProject(dir, kDemoFrames, progress, &error), error);
    WriteGroundTruth(dir + "/groundtruth.csv");
    std::printf("demo: %s/%s (%d frames, trackers Coche and Señal)\n", dir.c_str(),
                kDemoProjectFile, kDemoFrames);
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
