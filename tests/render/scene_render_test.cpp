// What a person sees when a model is drawn in the editor's orthographic
// views: colours of materials and textures, where the cameras put things,
// the model matrix, dummy nodes and animation.

#include "render_fixture.h"

#include "project/placement.h"
#include "render/texture.h"
#include "render/model_scene.h"

#include <ostream>

namespace
{
constexpr float kHalf = 0.2f;
const Vec3f kWhite{1, 1, 1};
const Vec3f kRed{1, 0, 0};
const Vec3f kGreen{0, 1, 0};
const Vec3f kBlue{0, 0, 1};
const Vec3f kGrey{float(RenderTest::kBackground), float(RenderTest::kBackground),
                  float(RenderTest::kBackground)};

MaterialSpec Textured(const std::string& texture, const Vec3f& colour = kWhite, float uScale = 1)
{
    MaterialSpec material = PlainMaterial("Picture", colour);
    material.textureName = texture;
    material.uScale = uScale;
    return material;
}

Model3dsSpec TexturedQuad(const MaterialSpec& material)
{
    return OneMeshScene(SquareMesh("Quad", {0, 0, 0}, 0.8f, 0, 2, material.name), {material});
}

// A red material seen as the average of its colours, one mesh without a
// material and one naming a material the file does not have.
Model3dsSpec ThreeMaterials()
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
    return scene;
}

// A mesh named like the dummy would cover the whole view if drawn.
Model3dsSpec DummyWithChild()
{
    Model3dsSpec scene;
    scene.materials = {PlainMaterial("Blue", kBlue)};
    scene.meshes = {SquareMesh("$$$DUMMY", {0, 0.5f, 0}, 0.95f, 0, 2, "Blue"),
                    SquareMesh("Child", {0.5f, 0, 0.5f}, kHalf, 0, 2)};
    scene.nodes = {StillNode("$$$DUMMY", 0), StillNode("Child", 1, 0)};
    return scene;
}

Model3dsSpec NodesOf(std::vector<NodeSpec> nodes)
{
    Model3dsSpec scene = OneMeshScene(SquareMesh("Quad", {0.5f, 0, 0.5f}, kHalf, 0, 2));
    scene.nodes = std::move(nodes);
    return scene;
}

struct Spot
{
    double right, up;
    Vec3f colour;
};

struct PictureCase
{
    const char* name;
    Model3dsSpec scene;
    std::vector<Spot> spots;
    double zoom = 1.0;
    Vec3f modelShift{0, 0, 0};
};

void PrintTo(const PictureCase& c, std::ostream* os)
{
    *os << c.name;
}

class PictureTest : public RenderTest, public ::testing::WithParamInterface<PictureCase>
{
};
} // namespace

TEST_P(PictureTest, EachSpotShowsItsColour)
{
    // Quadrants: red top left, green top right, blue bottom left, yellow
    // bottom right, as the picture is seen; halves: red left, blue right.
    WritePng(m_folder.Path("quadrants.png"), 8, 8,
             [](int x, int y)
             {
                 if (y < 4)
                     return x >= 4 ? Rgba8{0, 255, 0, 255} : Rgba8{255, 0, 0, 255};
                 return x >= 4 ? Rgba8{255, 255, 0, 255} : Rgba8{0, 0, 255, 255};
             });
    WritePng(m_folder.Path("halves.png"), 8, 8,
             [](int x, int) {
                 return x < 4 ? Rgba8{255, 0, 0, 255} : Rgba8{0, 0, 255, 255};
             });
    const PictureCase& c = GetParam();
    CModel3D model;
    ASSERT_TRUE(Load(model, c.scene));
    model.m_matrix = TranslationMatrix(c.modelShift[0], c.modelShift[1], c.modelShift[2]);
    const OffscreenImage image = DrawView(&model, kFrontView, c.zoom);
    for (const Spot& spot : c.spots)
        EXPECT_TRUE(ColourNear(At(image, spot.right, spot.up, c.zoom), spot.colour))
            << "at " << spot.right << ", " << spot.up;
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, PictureTest,
    ::testing::Values(
        PictureCase{"UntexturedMaterialIsTheAverageOfItsColoursAndNoMaterialWhite",
                    ThreeMaterials(),
                    {{-0.5, 0.5, {0.6f, 0.4f / 3, 0.2f / 3}},
                     {0.5, 0.5, kWhite},
                     {0.5, -0.5, kWhite},
                     {-0.5, -0.5, kGrey}}},
        PictureCase{
            "TextureIsUpright",
            TexturedQuad(Textured("quadrants.png")),
            {{-0.4, 0.4, kRed}, {0.4, 0.4, kGreen}, {-0.4, -0.4, kBlue}, {0.4, -0.4, {1, 1, 0}}}},
        PictureCase{"MissingTextureLeavesTheFaceInItsColour",
                    TexturedQuad(Textured("absent.png", {0.4f, 0.8f, 0.4f})),
                    {{0.4, 0.4, {0.4f, 0.8f, 0.4f}}}},
        // Twice across: red, blue, red, blue at quarters of the quad.
        PictureCase{"TextureScaleRepeatsThePicture",
                    TexturedQuad(Textured("halves.png", kWhite, 2.0f)),
                    {{-0.7, 0.4, kRed}, {-0.3, 0.4, kBlue}, {0.1, 0.4, kRed}, {0.5, 0.4, kBlue}}},
        PictureCase{"DummyNodeDrawsOnlyItsChildren",
                    DummyWithChild(),
                    {{0.5, 0.5, kWhite}, {-0.5, -0.5, kGrey}}},
        PictureCase{"NodeWithoutMeshDrawsNothing",
                    NodesOf({StillNode("Elsewhere", 0)}),
                    {{0.5, 0.5, kGrey}}},
        PictureCase{"FileWithoutNodesDrawsNothing", NodesOf({}), {{0.5, 0.5, kGrey}}},
        // A square far off the axes, outside the view at zoom 1, comes into the widened one.
        PictureCase{"ZoomWidensTheVisibleSquare",
                    OneMeshScene(SquareMesh("Far", {4.0f, 0, 4.0f}, 0.5f, 0, 2)),
                    {{4.0, 4.0, kWhite}},
                    5.0},
        PictureCase{"ModelMatrixMovesThePicture",
                    OneMeshScene(SquareMesh("Quad", {0, 0, 0}, kHalf, 0, 2)),
                    {{0.5, -0.5, kWhite}, {-0.1, 0.1, kGrey}},
                    1.0,
                    {0.5f, 0, -0.5f}}),
    [](const ::testing::TestParamInfo<PictureCase>& info) { return info.param.name; });

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
    const Vec3f colours[3] = {kRed, kGreen, kBlue};
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
    ASSERT_TRUE(Load(model, scene));

    const CameraCase& c = GetParam();
    const OffscreenImage image = DrawView(&model, c.view);
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0.1), colours[c.rightAxis]));
    EXPECT_TRUE(ColourNear(At(image, 0.1, 0.5), colours[c.upAxis]));
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

TEST_F(RenderTest, AnimatedNodeMovesFrameByFrame)
{
    constexpr int kFrames = 4;
    CModel3D model;
    ASSERT_TRUE(Load(model, RichScene(kFrames)));
    // The mover runs from x = -0.5 at frame 0 to x = 0.5 at the last frame.
    OffscreenImage image = DrawView(&model);
    EXPECT_TRUE(ColourNear(At(image, -0.5, 0.5), kWhite));
    EXPECT_TRUE(IsBackground(At(image, 0.5, 0.5)));

    for (int k = 0; k < kFrames; ++k)
        EXPECT_FALSE(NextModelFrame(model));
    image = DrawView(&model);
    EXPECT_TRUE(IsBackground(At(image, -0.5, 0.5)));
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0.5), kWhite));

    EXPECT_TRUE(NextModelFrame(model));
    EXPECT_TRUE(ColourNear(At(DrawView(&model), -0.5, 0.5), kWhite));
}

TEST_F(RenderTest, FacesNamingOneTextureLoadItOnce)
{
    WritePng(m_folder.Path("shared.png"), 4, 4, [](int, int) { return Rgba8{0, 255, 0, 255}; });
    MaterialSpec first = Textured("shared.png");
    MaterialSpec second = first;
    first.name = "First";
    second.name = "Second";
    Model3dsSpec scene;
    scene.materials = {first, second};
    scene.meshes = {SquareMesh("A", {-0.5f, 0, 0}, kHalf, 0, 2, "First"),
                    SquareMesh("B", {0.5f, 0, 0}, kHalf, 0, 2, "Second")};
    scene.nodes = {StillNode("A", 0), StillNode("B", 1)};
    CModel3D model;
    ASSERT_TRUE(Load(model, scene));

    const int loadsBefore = CTexture::LoadsSoFar();
    const OffscreenImage image = DrawView(&model);
    DrawView(&model);
    EXPECT_EQ(CTexture::LoadsSoFar() - loadsBefore, 1);
    EXPECT_EQ(ModelScene(model).TextureCount(), 1u);
    EXPECT_TRUE(ColourNear(At(image, -0.5, 0), kGreen));
    EXPECT_TRUE(ColourNear(At(image, 0.5, 0), kGreen));

    // A reload reuses the texture it already has.
    ReloadModel(model);
    DrawView(&model);
    EXPECT_EQ(CTexture::LoadsSoFar() - loadsBefore, 1);
}
