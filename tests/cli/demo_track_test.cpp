// End to end: the bundled demo is written, tracked headlessly over its
// rendered video, and what `track` reports is held against the ground truth
// the demo wrote beside it.
#include "cli_runner.h"
#include "support/project_fixture.h"
#include "synth/synth_pose.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace
{
constexpr double kMinFoundShare = 0.95;
constexpr double kTranslationShare = 0.01;
constexpr double kRotationDeg = 1.0;
// Single frames may miss the rotation bound: a marker tilted little is
// nearly ambiguous, and its noisy corners fit a pose a degree off as well.
constexpr double kMinAccurateShare = 0.95;

struct Row
{
    bool found = false;
    double pose[3][4] = {}; // the top three rows of the OpenGL matrix
};
using Rows = std::map<std::pair<int, std::string>, Row>;

Rows ReadCsv(const std::string& path)
{
    Rows rows;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line.rfind("frame,tracker,found,m0,", 0), 0u) << line;
    while (std::getline(in, line))
    {
        std::stringstream fields(line);
        std::string frame, name, found, value;
        std::getline(fields, frame, ',');
        std::getline(fields, name, ',');
        std::getline(fields, found, ',');
        Row row;
        row.found = found == "1";
        // Sixteen numbers in OpenGL order; the last row is 0 0 0 1.
        for (int i = 0; i < 16; ++i)
        {
            std::getline(fields, value, ',');
            if (i % 4 < 3)
                row.pose[i % 4][i / 4] = std::stod(value);
        }
        rows[{std::stoi(frame), name}] = row;
    }
    return rows;
}
} // namespace

TEST(DemoTracking, TrackFindsEveryTrackerAtItsTruePose)
{
    ScratchFolder folder;
    const CliResult demo = RunCli({"demo", folder.Path("demo")});
    ASSERT_EQ(demo.exitCode, 0) << demo.err;
    const CliResult track =
        RunCli({"track", folder.Path("demo/demo.zel"), "--out", folder.Path("track.csv")});
    ASSERT_EQ(track.exitCode, 0) << track.err;
    EXPECT_NE(track.out.find("frames: 90"), std::string::npos) << track.out;

    const Rows truth = ReadCsv(folder.Path("demo/groundtruth.csv"));
    const Rows tracked = ReadCsv(folder.Path("track.csv"));
    ASSERT_EQ(tracked.size(), truth.size());
    std::map<std::string, int> visible, found, accurate;
    for (const auto& [key, expected] : truth)
    {
        const Row& actual = tracked.at(key);
        if (!expected.found)
            continue;
        ++visible[key.second];
        if (!actual.found)
            continue;
        ++found[key.second];
        if (translationErrorShare(actual.pose, expected.pose) < kTranslationShare &&
            rotationDifferenceDeg(actual.pose, expected.pose) < kRotationDeg)
            ++accurate[key.second];
    }
    ASSERT_EQ(visible.size(), 2u);
    for (const auto& [name, frames] : visible)
    {
        EXPECT_GE(found[name], kMinFoundShare * frames) << name;
        EXPECT_GE(accurate[name], kMinAccurateShare * found[name]) << name;
    }
}

TEST(DemoTracking, JsonLinesAndFrameLimit)
{
    ScratchFolder folder;
    // A project of its own over a short test-pattern video: no markers, so
    // no tracker is found, but every frame is reported.
    CZelmoraDoc doc;
    doc.OnNewDocument();
    std::string error;
    ASSERT_TRUE(UseTestVideo(folder, doc, &error,
                             "videotestsrc num-buffers=5 ! video/x-raw,width=64,height=48"))
        << error;
    doc.m_trackers.emplace_back();
    doc.m_trackers.back().m_strName = "Solo, \"con\" coma";
    ASSERT_TRUE(doc.SaveProject(folder.Path("p.zel"), nullptr));

    const CliResult jsonl = RunCli({"track", folder.Path("p.zel"), "--format", "jsonl"});
    ASSERT_EQ(jsonl.exitCode, 0) << jsonl.err;
    std::stringstream lines(jsonl.out);
    std::string line;
    int frames = 0;
    while (std::getline(lines, line))
    {
        const auto json = nlohmann::json::parse(line);
        EXPECT_EQ(json["frame"], frames);
        EXPECT_EQ(json["trackers"][0]["name"], "Solo, \"con\" coma");
        EXPECT_EQ(json["trackers"][0]["found"], false);
        EXPECT_EQ(json["trackers"][0]["pose"].size(), 16u);
        ++frames;
    }
    EXPECT_EQ(frames, 5);

    const CliResult limited = RunCli({"track", folder.Path("p.zel"), "--frames", "2"});
    ASSERT_EQ(limited.exitCode, 0) << limited.err;
    EXPECT_NE(limited.out.find("\"Solo, \"\"con\"\" coma\""), std::string::npos) << limited.out;
    EXPECT_EQ(std::count(limited.out.begin(), limited.out.end(), '\n'), 3);
}
