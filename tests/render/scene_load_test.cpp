// Loading, reloading and unloading models: the messages of a file that
// cannot be used, the lifetime of display lists, lights and textures, and
// the animation counter.

#include "chunk_locator.h"
#include "render_fixture.h"

#include "project/tracker.h"
#include "render/model_scene.h"
#include "render/scene_3ds.h"
#include "render/tracker_draw.h"

#include <GL/gl.h>
#include <lib3ds/file.h>
#include <lib3ds/node.h>

#include <filesystem>

namespace
{
Model3dsSpec SquareScene(const std::string& material = "", const Vec3f& colour = {1, 1, 1})
{
    Model3dsSpec scene;
    if (!material.empty())
        scene.materials = {PlainMaterial(material, colour)};
    scene.meshes = {SquareMesh("Quad", {0.5f, 0, 0.5f}, 0.2f, 0, 2, material)};
    scene.nodes = {StillNode("Quad", 0)};
    return scene;
}

// The two boxes a model that cannot be used shows, the second naming the
// file as the project gives it.
void ExpectNotFoundMessages(const std::vector<UserMessage>& messages, const std::string& path)
{
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Lib3ds: File NotFound (" + path + ")");
    EXPECT_EQ(messages[0].caption, "Error");
    EXPECT_EQ(messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages[1].text, "File '" + path + "' not found");
    EXPECT_EQ(messages[1].caption, "Debug");
    EXPECT_EQ(messages[1].buttons, MessageButtons::Ok);
}
} // namespace

TEST_F(RenderTest, MissingOrRefusedFileShowsBothMessagesInOrderAndDrawsNothing)
{
    const std::string cut = WriteScene(SquareScene(), "cut.3ds");
    const std::string bytes = ReadBytes(cut);
    WriteBytes(cut, bytes.substr(0, bytes.size() / 2));
    for (const std::string& path : {m_folder.Path("absent.3ds"), cut})
    {
        m_messages.m_messages.clear();
        CModel3D model;
        model.m_strFile = path;
        EXPECT_FALSE(LoadModel(model));
        ExpectNotFoundMessages(m_messages.m_messages, path);
        EXPECT_FALSE(ModelScene(model).IsLoaded());
        EXPECT_TRUE(IsBackground(At(DrawView(&model), 0.5, 0.5)));
        if (path == cut)
        {
            EXPECT_NE(ModelScene(model).LastError().find("cut short"), std::string::npos)
                << ModelScene(model).LastError();
        }
    }
}

TEST_F(RenderTest, LoadingALoadedSceneFailsSilentlyAndKeepsIt)
{
    const std::string path = WriteScene(SquareScene());
    C3dsScene scene;
    ASSERT_TRUE(scene.Load(path));
    const Lib3dsFile* loaded = scene.File();
    EXPECT_FALSE(scene.Load(m_folder.Path("other.3ds")));
    EXPECT_EQ(scene.File(), loaded);
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(RenderTest, ReloadShowsTheFileAsItIsNowOnDisk)
{
    CModel3D model;
    model.m_strFile = WriteScene(SquareScene("Red", {1, 0, 0}));
    ReloadModel(model);
    EXPECT_TRUE(ColourNear(At(DrawView(&model), 0.5, 0.5), 1, 0, 0));

    WriteScene(SquareScene("Blue", {0, 0, 1}));
    EXPECT_TRUE(ColourNear(At(DrawView(&model), 0.5, 0.5), 1, 0, 0)) << "drawn from memory";
    ReloadModel(model);
    EXPECT_TRUE(ColourNear(At(DrawView(&model), 0.5, 0.5), 0, 0, 1));
}

TEST_F(RenderTest, UnloadReleasesDisplayListsAndLights)
{
    C3dsScene scene;
    ASSERT_TRUE(scene.Load(WriteScene(RichScene())));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0)) << "the file's one light";
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    scene.Render();
    std::vector<GLuint> lists;
    for (const Lib3dsNode* node = scene.File()->nodes; node; node = node->next)
        for (const Lib3dsNode* child = node; child; child = child->childs)
            if (child->user.d)
                lists.push_back(child->user.d);
    ASSERT_FALSE(lists.empty());
    for (GLuint list : lists)
        EXPECT_TRUE(glIsList(list));

    scene.Unload();
    for (GLuint list : lists)
        EXPECT_FALSE(glIsList(list));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(scene.IsLoaded());
}

TEST_F(RenderTest, TexturesAreReadFromTheModelsDirectory)
{
    std::filesystem::create_directory(m_folder.Path("sub"));
    WritePng(m_folder.Path("sub/green.png"), 4, 4, [](int, int) { return Rgba8{0, 255, 0, 255}; });
    Model3dsSpec scene = SquareScene("Green");
    scene.materials[0].textureName = "green.png";
    WriteScene(scene, "sub/model.3ds");
    std::filesystem::current_path(m_folder.Path());

    CModel3D model;
    model.m_strFile = "sub\\model.3ds"; // as written on Windows
    ASSERT_TRUE(LoadModel(model));
    EXPECT_EQ(ModelScene(model).Directory(), "sub/");
    EXPECT_TRUE(ColourNear(At(DrawView(&model), 0.5, 0.5), 0, 1, 0));
}

TEST_F(RenderTest, HostileTexturesNeverReachTheDecoderOrRefuseTheModel)
{
    // A BMP claiming 60000 x 60000 pixels: never decoded, drawn untextured.
    std::string bmp = "BM" + std::string(52, '\0');
    bmp[14] = 40;
    PutU32(bmp, 18, 60000);
    PutU32(bmp, 22, 60000);
    WriteBytes(m_folder.Path("huge.bmp"), bmp);
    Model3dsSpec scene = SquareScene("Huge", {0.4f, 0.4f, 0.8f});
    scene.materials[0].textureName = "huge.bmp";
    CModel3D model;
    ASSERT_TRUE(Load(model, scene));
    EXPECT_TRUE(ColourNear(At(DrawView(&model), 0.5, 0.5), 0.4, 0.4, 0.8));

    // A PNG whose header is sound but whose data is not reaches the probe,
    // whose decoder fails on it: the model is refused as a whole.
    WritePng(m_folder.Path("junk.png"), 64, 64, [](int, int) { return Rgba8{1, 2, 3, 255}; });
    std::string png = ReadBytes(m_folder.Path("junk.png"));
    for (size_t k = 41; k < png.size(); ++k)
        png[k] = char(k * 37);
    WriteBytes(m_folder.Path("junk.png"), png);
    scene.materials[0].textureName = "junk.png";
    CModel3D refused;
    EXPECT_FALSE(Load(refused, scene, "junk.3ds"));
    ExpectNotFoundMessages(m_messages.m_messages, refused.m_strFile);
    EXPECT_NE(ModelScene(refused).LastError().find("refused"), std::string::npos)
        << ModelScene(refused).LastError();
}

TEST(ModelDirectoryTest, TexturesAreLookedForBesideTheModel)
{
    const std::pair<const char*, const char*> cases[] = {
        {"model.3ds", ""},   {"sub/model.3ds", "sub/"},   {"a\\b\\model.3ds", "a\\b/"},
        {"/model.3ds", "/"}, {"/x/y/model.3ds", "/x/y/"}, {"", ""},
    };
    for (const auto& [path, directory] : cases)
        EXPECT_EQ(ModelDirectory(path), directory) << path;
}

class FrameCountTest : public RenderTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(FrameCountTest, NextFrameWrapsOnceEveryCountPlusOneCalls)
{
    const int frames = GetParam();
    C3dsScene scene;
    ASSERT_TRUE(scene.Load(WriteScene(RichScene(frames))));
    for (int round = 0; round < 3; ++round)
        for (int call = 1; call <= frames + 1; ++call)
        {
            EXPECT_EQ(scene.NextFrame(), call == frames + 1) << "call " << call;
            EXPECT_EQ(scene.Frame(), float(call % (frames + 1)));
        }
}

INSTANTIATE_TEST_SUITE_P(Counts, FrameCountTest, ::testing::Values(0, 1, 30));

TEST(SceneWithoutFileTest, NothingLoadedNeverAnimatesNorDraws)
{
    C3dsScene scene;
    EXPECT_FALSE(scene.NextFrame());
    scene.Render();
    scene.Unload();
}

TEST_F(RenderTest, TrackerReloadsEveryModelAndACopyHasNoScene)
{
    CTracker tracker;
    tracker.m_models.emplace_back();
    tracker.m_models.back().m_strFile = WriteScene(SquareScene(), "one.3ds");
    tracker.m_models.emplace_back();
    tracker.m_models.back().m_strFile = WriteScene(RichScene(), "two.3ds");
    ReloadTrackerModels(tracker);
    for (CModel3D& model : tracker.m_models)
        EXPECT_TRUE(ModelScene(model).IsLoaded()) << model.m_strFile;

    CTracker copy(tracker);
    for (CModel3D& model : copy.m_models)
        EXPECT_FALSE(ModelScene(model).IsLoaded());
}
