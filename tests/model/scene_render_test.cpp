// What a person sees when a model is drawn in the editor's orthographic
// views: colours of materials and textures, where the cameras put things,
// the model matrix, dummy nodes and animation.

#include "render_fixture.h"

#include "model/texture.h"

#include <ostream>

namespace
{
constexpr float kHalf = 0.2f;

Model3dsSpec OneMeshScene(const MeshSpec& mesh, const std::vector<MaterialSpec>& materials = {})
{
    Model3dsSpec scene;
    scene.materials = materials;
    scene.meshes = {mesh};
    scene.nodes = {StillNode(mesh.name, 0)};
    return scene;
}
} // namespace

TEST_F(RenderTest, UntexturedMaterialShowsTheAverageOfItsColoursAndNoMaterialShowsWhite)
{
    MaterialSpec red;
    red.name = "Red";
    red.ambient = {0.6f, 0.0f, 0.0f};
    red.diffuse = {1.0f, 0.2f, 0.0f};
    red.specular = {0.2f, 0.2f, 0.2f};
    Model3dsSpec scene;
    scene.materials = {red};
    scene.meshes = {SquareMesh("Coloured", {-0.5f, 0.0f, 0.5f}, kHalf, 0, 2, "Red"),
                    SquareMesh("Bare", {0.5f, 0.0f, 0.5f}, kHalf, 0, 2),
                    SquareMesh("Unknown", {0.5f, 0.0f, -0.5f}, kHalf, 0, 2, "NoSuchMaterial")};
    scene.nodes = {StillNode("Coloured", 0), StillNode("Bare", 1), StillNode("Unknown", 2)};
    CModel3D model;
    model.m_strFile = WriteScene(scene);
    ASSERT_TRUE(model.Load());

    const OffscreenImage image = DrawView(&model);
    EXPECT_TRUE(ColourNear(At(image, -0.5, 0.5), 0.6, 0.4 / 3, 0.2 / 3));
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0.5), 1.0, 1.0, 1.0));
    EXPECT_TRUE(ColourNear(At(image, 0.5, -0.5), 1.0, 1.0, 1.0));
    EXPECT_TRUE(IsBackground(At(image, -0.5, -0.5)));
}

TEST_F(RenderTest, TexturedFaceShowsItsTextureUpright)
{
    // Quadrants: red top left, green top right, blue bottom left, yellow
    // bottom right, as the picture is seen.
    WritePng(m_folder.Path("quadrants.png"), 8, 8,
             [](int x, int y)
             {
                 const bool right = x >= 4;
                 const bool bottom = y >= 4;
                 if (!bottom)
                     return right ? Rgba8{0, 255, 0, 255} : Rgba8{255, 0, 0, 255};
                 return right ? Rgba8{255, 255, 0, 255} : Rgba8{0, 0, 255, 255};
             });
    MaterialSpec textured = PlainMaterial("Picture", {1.0f, 1.0f, 1.0f});
    textured.textureName = "quadrants.png";
    CModel3D model;
    model.m_strFile =
        WriteScene(OneMeshScene(SquareMesh("Quad", {0, 0, 0}, 0.8f, 0, 2, "Picture"), {textured}));
    ASSERT_TRUE(model.Load());

    const OffscreenImage image = DrawView(&model);
    EXPECT_TRUE(ColourNear(At(image, -0.4, 0.4), 1, 0, 0));
    EXPECT_TRUE(ColourNear(At(image, 0.4, 0.4), 0, 1, 0));
    EXPECT_TRUE(ColourNear(At(image, -0.4, -0.4), 0, 0, 1));
    EXPECT_TRUE(ColourNear(At(image, 0.4, -0.4), 1, 1, 0));
}

TEST_F(RenderTest, MissingTextureStillDrawsTheFaceInItsColour)
{
    MaterialSpec textured = PlainMaterial("Picture", {0.4f, 0.8f, 0.4f});
    textured.textureName = "absent.png";
    CModel3D model;
    model.m_strFile =
        WriteScene(OneMeshScene(SquareMesh("Quad", {0, 0, 0}, 0.8f, 0, 2, "Picture"), {textured}));
    ASSERT_TRUE(model.Load());
    EXPECT_TRUE(ColourNear(At(DrawView(&model), 0.4, 0.4), 0.4, 0.8, 0.4));
}

// Three cubes on the positive axes, each in its own colour: the view's
// screen-right and screen-up axes show their cubes right of and above the
// centre.
struct CameraCase
{
    EditorView view;
    int rightAxis;
    int upAxis;
};

void PrintTo(const CameraCase& c, std::ostream* os)
{
    *os << "right" << c.rightAxis << "_up" << c.upAxis;
}

class CameraTest : public RenderTest, public ::testing::WithParamInterface<CameraCase>
{
};

TEST_P(CameraTest, PositiveAxesAppearWhereTheViewSays)
{
    const Vec3f colours[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const char* names[3] = {"OnX", "OnY", "OnZ"};
    Model3dsSpec scene;
    for (int axis = 0; axis < 3; ++axis)
    {
        Vec3f centre{0, 0, 0};
        centre[axis] = 0.5f;
        scene.materials.push_back(PlainMaterial(names[axis], colours[axis]));
        scene.meshes.push_back(CubeMesh(names[axis], centre, 0.15f, names[axis]));
        scene.nodes.push_back(StillNode(names[axis], axis));
    }
    CModel3D model;
    model.m_strFile = WriteScene(scene);
    ASSERT_TRUE(model.Load());

    const CameraCase& c = GetParam();
    const OffscreenImage image = DrawView(&model, c.view);
    const Vec3f& right = colours[c.rightAxis];
    const Vec3f& up = colours[c.upAxis];
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0.1), right[0], right[1], right[2]));
    EXPECT_TRUE(ColourNear(At(image, 0.1, 0.5), up[0], up[1], up[2]));
    EXPECT_TRUE(IsBackground(At(image, -0.5, 0.1)));
    EXPECT_TRUE(IsBackground(At(image, 0.1, -0.5)));
}

std::string CameraCaseName(const ::testing::TestParamInfo<CameraCase>& info)
{
    static const char* const kNames[] = {"Front", "Top", "Side"};
    return kNames[info.param.view];
}

INSTANTIATE_TEST_SUITE_P(EditorViews, CameraTest,
                         ::testing::Values(CameraCase{kFrontView, 0, 2}, CameraCase{kTopView, 0, 1},
                                           CameraCase{kSideView, 1, 2}),
                         CameraCaseName);

TEST_F(RenderTest, ZoomWidensTheVisibleSquare)
{
    CModel3D model;
    model.m_strFile = WriteScene(OneMeshScene(SquareMesh("Far", {4.0f, 0, 4.0f}, 0.5f, 0, 2)));
    ASSERT_TRUE(model.Load());
    EXPECT_TRUE(IsBackground(At(DrawView(&model, kFrontView, 1.0), 0.9, 0.9)));
    constexpr double kZoom = 5.0;
    EXPECT_TRUE(ColourNear(At(DrawView(&model, kFrontView, kZoom), 4.0, 4.0, kZoom), 1, 1, 1));
}

TEST_F(RenderTest, ModelMatrixMovesThePicture)
{
    CModel3D model;
    model.m_strFile = WriteScene(OneMeshScene(SquareMesh("Quad", {0, 0, 0}, kHalf, 0, 2)));
    ASSERT_TRUE(model.Load());
    const double shift[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5, 0, -0.5, 1};
    model.m_matrix.SetData(shift);

    const OffscreenImage image = DrawView(&model);
    EXPECT_TRUE(ColourNear(At(image, 0.5, -0.5), 1, 1, 1));
    EXPECT_TRUE(IsBackground(At(image, -0.1, 0.1)));
}

TEST_F(RenderTest, DummyNodeDrawsOnlyItsChildren)
{
    Model3dsSpec scene;
    scene.materials = {PlainMaterial("Blue", {0, 0, 1})};
    // A mesh named like the dummy would cover the whole view if drawn.
    scene.meshes = {SquareMesh("$$$DUMMY", {0, 0.5f, 0}, 0.95f, 0, 2, "Blue"),
                    SquareMesh("Child", {0.5f, 0, 0.5f}, kHalf, 0, 2)};
    scene.nodes = {StillNode("$$$DUMMY", 0), StillNode("Child", 1, 0)};
    CModel3D model;
    model.m_strFile = WriteScene(scene);
    ASSERT_TRUE(model.Load());

    const OffscreenImage image = DrawView(&model);
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0.5), 1, 1, 1));
    EXPECT_TRUE(IsBackground(At(image, -0.5, -0.5)));
}

TEST_F(RenderTest, NodeWithoutMeshAndFileWithoutNodesDrawNothing)
{
    Model3dsSpec scene;
    scene.meshes = {SquareMesh("Quad", {0.5f, 0, 0.5f}, kHalf, 0, 2)};
    scene.nodes = {StillNode("Elsewhere", 0)};
    CModel3D orphan;
    orphan.m_strFile = WriteScene(scene, "orphan.3ds");
    ASSERT_TRUE(orphan.Load());
    EXPECT_TRUE(IsBackground(At(DrawView(&orphan), 0.5, 0.5)));

    scene.nodes.clear();
    CModel3D noNodes;
    noNodes.m_strFile = WriteScene(scene, "no_nodes.3ds");
    ASSERT_TRUE(noNodes.Load());
    EXPECT_TRUE(IsBackground(At(DrawView(&noNodes), 0.5, 0.5)));
}

TEST_F(RenderTest, AnimatedNodeMovesFrameByFrame)
{
    constexpr int kFrames = 4;
    CModel3D model;
    model.m_strFile = WriteScene(RichScene(kFrames));
    ASSERT_TRUE(model.Load());
    // The mover runs from x = -0.5 at frame 0 to x = 0.5 at the last frame.
    OffscreenImage image = DrawView(&model);
    EXPECT_TRUE(ColourNear(At(image, -0.5, 0.5), 1, 1, 1));
    EXPECT_TRUE(IsBackground(At(image, 0.5, 0.5)));

    for (int k = 0; k < kFrames; ++k)
        EXPECT_FALSE(model.NextFrame());
    image = DrawView(&model);
    EXPECT_TRUE(IsBackground(At(image, -0.5, 0.5)));
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0.5), 1, 1, 1));

    EXPECT_TRUE(model.NextFrame());
    EXPECT_TRUE(ColourNear(At(DrawView(&model), -0.5, 0.5), 1, 1, 1));
}

TEST_F(RenderTest, FacesNamingOneTextureLoadItOnce)
{
    WritePng(m_folder.Path("shared.png"), 4, 4, [](int, int) { return Rgba8{0, 255, 0, 255}; });
    MaterialSpec first = PlainMaterial("First", {1, 1, 1});
    MaterialSpec second = PlainMaterial("Second", {1, 1, 1});
    first.textureName = second.textureName = "shared.png";
    Model3dsSpec scene;
    scene.materials = {first, second};
    scene.meshes = {SquareMesh("A", {-0.5f, 0, 0}, kHalf, 0, 2, "First"),
                    SquareMesh("B", {0.5f, 0, 0}, kHalf, 0, 2, "Second")};
    scene.nodes = {StillNode("A", 0), StillNode("B", 1)};
    CModel3D model;
    model.m_strFile = WriteScene(scene);
    ASSERT_TRUE(model.Load());

    const int loadsBefore = CTexture::LoadsSoFar();
    const OffscreenImage image = DrawView(&model);
    DrawView(&model);
    EXPECT_EQ(CTexture::LoadsSoFar() - loadsBefore, 1);
    EXPECT_EQ(model.m_scene.TextureCount(), 1u);
    EXPECT_TRUE(ColourNear(At(image, -0.5, 0), 0, 1, 0));
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0), 0, 1, 0));

    // A reload reuses the texture it already has.
    model.Reload();
    DrawView(&model);
    EXPECT_EQ(CTexture::LoadsSoFar() - loadsBefore, 1);
}

TEST_F(RenderTest, TextureScaleRepeatsThePicture)
{
    WritePng(m_folder.Path("halves.png"), 8, 8,
             [](int x, int) {
                 return x < 4 ? Rgba8{255, 0, 0, 255} : Rgba8{0, 0, 255, 255};
             });
    MaterialSpec textured = PlainMaterial("Halves", {1, 1, 1});
    textured.textureName = "halves.png";
    textured.uScale = 2.0f;
    CModel3D model;
    model.m_strFile =
        WriteScene(OneMeshScene(SquareMesh("Quad", {0, 0, 0}, 0.8f, 0, 2, "Halves"), {textured}));
    ASSERT_TRUE(model.Load());
    // Twice across: red, blue, red, blue at quarters of the quad.
    const OffscreenImage image = DrawView(&model);
    const double quarters[4] = {-0.7, -0.3, 0.1, 0.5};
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(ColourNear(At(image, quarters[k], 0.4), k % 2 ? 0 : 1, 0, k % 2 ? 1 : 0))
            << "quarter " << k;
}
