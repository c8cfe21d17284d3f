// zelmora-cli model show and model render, run as a user would: the JSON
// describes the file, the picture shows the model from the chosen view,
// and a missing or damaged file gives one line and exit status 1.

#include "cli_runner.h"

#include "support/png_pictures.h"
#include "support/sample_3ds.h"
#include "support/sample_models.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

namespace
{
constexpr int kChannelTolerance = 3;
constexpr int kPictureSide = 100;

class ModelCliTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_strModel = m_folder.Path("rich.3ds");
        Write3ds(RichScene(10), m_strModel);
        WritePng(m_folder.Path("checker.png"), 4, 4,
                 [](int x, int) {
                     return x < 2 ? Rgba8{255, 0, 0, 255} : Rgba8{0, 0, 255, 255};
                 });
    }

    PngPicture Render(const std::vector<std::string>& extra)
    {
        const std::string out = m_folder.Path("out.png");
        const std::string side = std::to_string(kPictureSide);
        std::vector<std::string> arguments = {"model",  "render", m_strModel, out,
                                              "--size", side,     side};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return ReadPng(out);
    }

    // The pixel showing (right, up) world units from the view's centre.
    static Rgba8 At(const PngPicture& picture, double right, double up)
    {
        return picture.At(int((right + 1) / 2 * picture.width), int((1 - up) / 2 * picture.height));
    }

    ScratchFolder m_folder;
    std::string m_strModel;
};

::testing::AssertionResult Near(const Rgba8& pixel, int r, int g, int b)
{
    if (std::abs(pixel.r - r) > kChannelTolerance || std::abs(pixel.g - g) > kChannelTolerance ||
        std::abs(pixel.b - b) > kChannelTolerance)
        return ::testing::AssertionFailure()
               << "(" << int(pixel.r) << ", " << int(pixel.g) << ", " << int(pixel.b) << ")";
    return ::testing::AssertionSuccess();
}

constexpr int kGrey = 51; // the editor's background, 0.2
} // namespace

TEST_F(ModelCliTest, ShowDescribesNodesMeshesMaterialsLightsAndFrames)
{
    const CliResult result = RunCli({"model", "show", m_strModel});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["frames"], 10);

    ASSERT_EQ(json["nodes"].size(), 2u);
    const nlohmann::json& dummy = json["nodes"][0];
    EXPECT_EQ(dummy["name"], "$$$DUMMY");
    EXPECT_EQ(dummy["type"], "object");
    ASSERT_EQ(dummy["children"].size(), 2u);
    EXPECT_EQ(dummy["children"][0]["name"], "Left");
    EXPECT_EQ(json["nodes"][1]["name"], "Mover");

    ASSERT_EQ(json["meshes"].size(), 3u);
    for (const nlohmann::json& mesh : json["meshes"])
    {
        EXPECT_EQ(mesh["points"], 4);
        EXPECT_EQ(mesh["faces"], 2);
    }
    std::map<std::string, nlohmann::json> materials;
    for (const nlohmann::json& material : json["materials"])
        materials[material["name"]] = material["texture"];
    EXPECT_EQ(materials.at("Checker"), "checker.png");
    EXPECT_TRUE(materials.at("Red").is_null());

    ASSERT_EQ(json["lights"].size(), 1u);
    EXPECT_EQ(json["lights"][0]["name"], "Spot");
    EXPECT_EQ(json["lights"][0]["spot"], true);
}

TEST_F(ModelCliTest, RenderDrawsEachViewWithItsCamera)
{
    // Front: X right, Z up; the red square left, the textured one right,
    // the mover (white, frame 0) above the red one.
    PngPicture front = Render({"--view", "front"});
    ASSERT_EQ(front.width, kPictureSide);
    EXPECT_TRUE(Near(At(front, -0.5, -0.1), 153, 26, 26)) << "red square";
    EXPECT_TRUE(Near(At(front, 0.3, -0.1), 255, 0, 0)) << "first texture half";
    EXPECT_TRUE(Near(At(front, 0.45, -0.1), 0, 0, 255)) << "second texture half";
    EXPECT_TRUE(Near(At(front, -0.5, 0.5), 255, 255, 255)) << "mover";
    EXPECT_TRUE(Near(At(front, 0.5, 0.5), kGrey, kGrey, kGrey));
    EXPECT_TRUE(Near(At(front, 0.9, 0.0), 255, 0, 0)) << "X axis";

    // Top: the squares lie in the XZ plane and are seen edge on; the axes
    // are X red to the right, Y blue up.
    PngPicture top = Render({"--view", "top"});
    EXPECT_TRUE(Near(At(top, -0.5, -0.5), kGrey, kGrey, kGrey));
    EXPECT_TRUE(Near(At(top, 0.0, 0.5), 0, 0, 255)) << "Y axis";

    // Side: Y right, Z up; the Z axis is green.
    PngPicture side = Render({"--view", "side"});
    EXPECT_TRUE(Near(At(side, 0.0, 0.5), 0, 255, 0)) << "Z axis";
    EXPECT_TRUE(Near(At(side, 0.5, 0.0), 0, 0, 255)) << "Y axis";
}

TEST_F(ModelCliTest, RenderTakesFrameAndZoom)
{
    PngPicture last = Render({"--frame", "10"});
    EXPECT_TRUE(Near(At(last, 0.5, 0.5), 255, 255, 255)) << "mover at the end";
    EXPECT_TRUE(Near(At(last, -0.5, 0.5), kGrey, kGrey, kGrey));

    PngPicture zoomed = Render({"--zoom", "2"});
    EXPECT_TRUE(Near(At(zoomed, -0.25, 0.25), 255, 255, 255)) << "mover at half the distance";
}

// A GLB, a glTF with the same content and Collada: the JSON names the
// format and measures the model, and the picture shows it where its node
// puts it.
TEST_F(ModelCliTest, ShowAndRenderTakeEveryFormat)
{
    CMeshModel data;
    AddSquare(&data, 0.5f, 0.25f, 0.25f, {0, 1, 0, 1});
    const struct
    {
        SampleLayout layout;
        const char* format;
    } kCases[] = {{SampleLayout::Glb, "GLB"},
                  {SampleLayout::GltfDataUris, "glTF"},
                  {SampleLayout::Collada, "Collada"}};
    for (const auto& c : kCases)
    {
        m_strModel = WriteSample(data, c.layout, m_folder.Path());
        const CliResult result = RunCli({"model", "show", m_strModel});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const nlohmann::json json = nlohmann::json::parse(result.out);
        EXPECT_EQ(json["format"], c.format);
        EXPECT_EQ(json["meshes"][0]["triangles"], 2);
        EXPECT_NEAR(json["box"]["min"][0].get<double>(), 0.25, 1e-6) << c.format;
        EXPECT_NEAR(json["box"]["size"][1].get<double>(), 0.5, 1e-6) << c.format;

        PngPicture top = Render({"--view", "top"});
        EXPECT_TRUE(Near(At(top, 0.5, 0.3), 0, 255, 0)) << c.format;
        EXPECT_TRUE(Near(At(top, -0.5, 0.3), kGrey, kGrey, kGrey)) << c.format;
    }
}
