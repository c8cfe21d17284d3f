#include "cli_runner.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

TEST(ProjectCli, NewWritesTheEmptyProject)
{
    ScratchFolder folder;
    const CliResult result = RunCli({"project", "new", folder.Path("a.zel")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadBytes(folder.Path("a.zel")).size(), 22u);
}

TEST(ProjectCli, ShowPrintsEveryFieldAndResaveKeepsTheBytes)
{
    ScratchFolder folder;
    CZelmoraDoc doc;
    FillSampleProject(doc);
    doc.m_trackers.back().m_patterns.back().m_filter = PoseFilter::Adaptive;
    ASSERT_TRUE(doc.SaveProject(folder.Path("sample.zel"), nullptr));

    const CliResult shown = RunCli({"project", "show", folder.Path("sample.zel")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const auto json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json["videoConfig"], "cámara.cfg");
    EXPECT_EQ(json["autoThreshold"], false);
    EXPECT_EQ(json["threshold"], 117);
    EXPECT_EQ(json["viewZoom"], 3);
    ASSERT_EQ(json["trackers"].size(), 3u);
    EXPECT_EQ(json["trackers"][1]["reference"], 1);
    EXPECT_TRUE(json["trackers"][2]["reference"].is_null());
    EXPECT_EQ(json["trackers"][2]["name"], "Marca Ω");
    EXPECT_EQ(json["trackers"][1]["patterns"][1]["width"], 60);
    EXPECT_EQ(json["trackers"][1]["patterns"][1]["tolerance"], 1.5);
    EXPECT_EQ(json["trackers"][2]["models"][1]["matrix"].size(), 16u);
    EXPECT_EQ(json["trackers"][2]["models"][1]["matrix"][15], 0.5);
    const auto& block = json["settingsBlock"];
    EXPECT_EQ(block["threshold"], "header");
    ASSERT_EQ(block["filters"].size(), 6u);
    EXPECT_EQ(block["filters"][0]["filter"], "average");
    EXPECT_EQ(block["filters"][5]["filter"], "adaptive");
    const std::vector<std::string> keys = {"videoConfig", "cameraParam", "autoThreshold",
                                           "threshold",   "singleView",  "viewZoom",
                                           "trackers",    "settingsBlock"};
    size_t position = 0;
    for (const std::string& key : keys)
    {
        const size_t found = shown.out.find("\"" + key + "\"", position);
        ASSERT_NE(found, std::string::npos) << key << " out of order";
        position = found;
    }

    const CliResult resaved =
        RunCli({"project", "resave", folder.Path("sample.zel"), folder.Path("copy.zel")});
    ASSERT_EQ(resaved.exitCode, 0) << resaved.err;
    EXPECT_EQ(ReadBytes(folder.Path("copy.zel")), ReadBytes(folder.Path("sample.zel")));
}

