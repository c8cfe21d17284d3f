// A 3DS file drawn by C3dsScene, as the desktop draws it, and copied into a
// mesh model drawn by CMeshScene: through the same cameras both must show
// the same picture at every frame of the animation.

#include "render_fixture.h"

#include "render/mesh_scene.h"
#include "render/model_scene.h"

#include <ostream>

namespace
{
constexpr int kPictureSize = 128;
// llvmpipe draws both pictures identically (no pixel differs); the margins
// leave room for a driver that rounds the two placements apart. A pivot,
// turn or side gone wrong moves tens to thousands of pixels, the diffuse
// colour for the mean of three is 76 steps off.
constexpr int kMaxSilhouettePixels = 4;
constexpr int kMaxColourSteps = 2;
// A scene that missed the cameras would pass any comparison.
constexpr double kMinCoveredShare = 0.03;

// Quadrants red, green, blue and yellow, so a texture turned or moved
// shows.
void WriteQuadrants(const std::string& path)
{
    WritePng(path, 8, 8,
             [](int x, int y)
             {
                 if (y < 4)
                     return x >= 4 ? Rgba8{0, 255, 0, 255} : Rgba8{255, 0, 0, 255};
                 return x >= 4 ? Rgba8{255, 255, 0, 255} : Rgba8{0, 0, 255, 255};
             });
}

struct SceneCase
{
    const char* name;
    Model3dsSpec scene;
};

void PrintTo(const SceneCase& c, std::ostream* os)
{
    *os << c.name;
}

struct Difference
{
    int nCovered = 0;
    int nSilhouette = 0;
    int nMaxColour = 0;
};

int ChannelDifference(const OffscreenPixel& a, const OffscreenPixel& b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

// A pixel is covered where it differs from the view without the model.
Difference Compare(const OffscreenImage& empty, const OffscreenImage& desktop,
                   const OffscreenImage& mesh)
{
    Difference difference;
    for (size_t k = 0; k < empty.pixels.size(); ++k)
    {
        const bool bDesktop = ChannelDifference(desktop.pixels[k], empty.pixels[k]) > 0;
        const bool bMesh = ChannelDifference(mesh.pixels[k], empty.pixels[k]) > 0;
        difference.nCovered += bDesktop;
        if (bDesktop != bMesh)
            ++difference.nSilhouette;
        else if (bDesktop)
            difference.nMaxColour = std::max(difference.nMaxColour,
                                             ChannelDifference(desktop.pixels[k], mesh.pixels[k]));
    }
    return difference;
}

class MeshFrom3dsTest : public RenderTest, public ::testing::WithParamInterface<SceneCase>
{
};
} // namespace

TEST_P(MeshFrom3dsTest, DrawsAsTheDesktopAtEveryFrame)
{
    ASSERT_TRUE(m_context.Resize(kPictureSize, kPictureSize));
    WriteQuadrants(m_folder.Path("quadrants.png"));
    WriteQuadrants(m_folder.Path("checker.png"));
    CModel3D desktop;
    ASSERT_TRUE(Load(desktop, GetParam().scene));
    CModel3D mesh;
    mesh.m_pScene = std::make_shared<CMeshScene>();
    ASSERT_TRUE(mesh.m_pScene->Load(desktop.m_strFile)) << mesh.m_pScene->LastError();
    ASSERT_EQ(mesh.m_pScene->FrameCount(), ModelScene(desktop).FrameCount());
    ASSERT_GT(mesh.m_pScene->FrameCount(), 0);

    for (int frame = 0; frame <= ModelScene(desktop).FrameCount(); ++frame)
    {
        int nCovered = 0;
        for (const EditorView view : {kFrontView, kTopView, kSideView})
        {
            const OffscreenImage empty = DrawView(nullptr, view);
            const OffscreenImage desktopPicture = DrawView(&desktop, view);
            const OffscreenImage meshPicture = DrawView(&mesh, view);
            const Difference difference = Compare(empty, desktopPicture, meshPicture);
            SCOPED_TRACE("frame " + std::to_string(frame) + ", view " + std::to_string(int(view)));
            EXPECT_LE(difference.nSilhouette, kMaxSilhouettePixels);
            EXPECT_LE(difference.nMaxColour, kMaxColourSteps);
            nCovered += difference.nCovered;
        }
        EXPECT_GE(nCovered, kMinCoveredShare * kPictureSize * kPictureSize) << "frame " << frame;
        EXPECT_EQ(NextModelFrame(mesh), NextModelFrame(desktop));
    }
}

INSTANTIATE_TEST_SUITE_P(Scenes, MeshFrom3dsTest,
                         ::testing::Values(SceneCase{"PlacedAndAnimated", PlacedAndAnimatedScene()},
                                           SceneCase{"DummyLightAndMover", RichScene(3)}),
                         [](const ::testing::TestParamInfo<SceneCase>& info)
                         { return std::string(info.param.name); });
