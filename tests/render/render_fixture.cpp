#include "render_fixture.h"

#include "render/axes.h"
#include "render/model_scene.h"

#include <GL/gl.h>

#include <cmath>

void RenderTest::SetUp()
{
    std::string error;
    ASSERT_TRUE(m_context.Create(kSize, kSize, &error)) << error;
}

std::string RenderTest::WriteScene(const Model3dsSpec& scene, const std::string& name)
{
    const std::string path = m_folder.Path(name);
    Write3ds(scene, path);
    return path;
}

bool RenderTest::Load(CModel3D& model, const Model3dsSpec& scene, const std::string& name)
{
    model.m_strFile = WriteScene(scene, name);
    return LoadModel(model);
}

Model3dsSpec OneMeshScene(const MeshSpec& mesh, const std::vector<MaterialSpec>& materials)
{
    Model3dsSpec scene;
    scene.materials = materials;
    scene.meshes = {mesh};
    scene.nodes = {StillNode(mesh.name, 0)};
    return scene;
}

OffscreenImage RenderTest::DrawView(CModel3D* pModel, EditorView view, double zoom)
{
    m_context.MakeCurrent();
    glClearColor(kBackground, kBackground, kBackground, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    CAxes axes;
    DrawOrthoView(MakeEditorCamera(view), zoom, axes, pModel);
    return m_context.ReadPixels();
}

OffscreenPixel RenderTest::At(const OffscreenImage& image, double right, double up, double zoom)
{
    const int x = int(std::floor((right / zoom + 1.0) / 2.0 * image.width));
    const int y = int(std::floor((1.0 - up / zoom) / 2.0 * image.height));
    return image.At(std::clamp(x, 0, image.width - 1), std::clamp(y, 0, image.height - 1));
}

::testing::AssertionResult ColourNear(const OffscreenPixel& pixel, double r, double g, double b)
{
    const double expected[3] = {r * 255.0, g * 255.0, b * 255.0};
    const int actual[3] = {pixel.r, pixel.g, pixel.b};
    for (int k = 0; k < 3; ++k)
        if (std::abs(actual[k] - expected[k]) > kColourTolerance)
            return ::testing::AssertionFailure()
                   << "pixel (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                   << ") is not near (" << expected[0] << ", " << expected[1] << ", " << expected[2]
                   << ")";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult IsBackground(const OffscreenPixel& pixel)
{
    return ColourNear(pixel, RenderTest::kBackground, RenderTest::kBackground,
                      RenderTest::kBackground);
}
