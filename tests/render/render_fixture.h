#pragma once
// Shared set-up of the model tests that draw: an offscreen OpenGL context,
// a scratch folder, a recorder for user messages, and pixel look-ups in
// world coordinates of the editor's orthographic views.

#include "project/model3d.h"
#include "render/ortho_view.h"
#include "project/user_messages.h"
#include "model_writers/write_3ds.h"
#include "offscreen/offscreen_context.h"
#include "support/scratch_folder.h"
#include "support/recording_messages.h"
#include "support/png_pictures.h"
#include "support/sample_3ds.h"

#include <gtest/gtest.h>

#include <vector>

// Colour channels are compared in 0..255 steps; llvmpipe rounds each
// channel to the nearest step, and 24-bit 3DS colours add one more.
constexpr int kColourTolerance = 3;

class RenderTest : public ::testing::Test
{
  public:
    static constexpr int kSize = 64;
    static constexpr double kBackground = 0.2;

  protected:
    void SetUp() override;

    std::string WriteScene(const Model3dsSpec& scene, const std::string& name = "model.3ds");
    // Writes the scene and loads it as `model`; false when it does not load.
    bool Load(CModel3D& model, const Model3dsSpec& scene, const std::string& name = "model.3ds");
    // Clears to the editor's grey and draws one orthographic view.
    OffscreenImage DrawView(CModel3D* pModel, EditorView view = kFrontView, double zoom = 1.0);
    // The pixel showing the point at (right, up) world units from the centre
    // of the view, in the view's own screen directions.
    static OffscreenPixel At(const OffscreenImage& image, double right, double up,
                             double zoom = 1.0);

    COffscreenContext m_context;
    ScratchFolder m_folder;
    RecordingMessages m_messages;
};

// A scene of one still mesh drawn in the given materials.
Model3dsSpec OneMeshScene(const MeshSpec& mesh, const std::vector<MaterialSpec>& materials = {});

::testing::AssertionResult ColourNear(const OffscreenPixel& pixel, double r, double g, double b);
inline ::testing::AssertionResult ColourNear(const OffscreenPixel& pixel, const Vec3f& colour)
{
    return ColourNear(pixel, colour[0], colour[1], colour[2]);
}
::testing::AssertionResult IsBackground(const OffscreenPixel& pixel);
