// A tracker's live drawing: its models at its pose, each drawn over the
// ones before it, and nothing at all when it was not found.
#include "render_fixture.h"

#include "render/axes.h"
#include "project/tracker.h"
#include "render/tracker_draw.h"

#include <GL/gl.h>

namespace
{
// A square facing the viewer, half side 0.3, at depth z of its own file.
class TrackerDrawTest : public RenderTest
{
  protected:
    void AddModel(CTracker& tracker, const std::string& file, const std::string& material,
                  const Vec3f& colour, float z)
    {
        tracker.m_models.emplace_back();
        ASSERT_TRUE(Load(tracker.m_models.back(),
                         OneMeshScene(SquareMesh("Square", {0.0f, 0.0f, z}, 0.3f, 0, 1, material),
                                      {PlainMaterial(material, colour)}),
                         file));
    }

    // Clears, loads an orthographic projection looking down -z, and draws.
    OffscreenImage Draw(CTracker& tracker)
    {
        m_context.MakeCurrent();
        glClearColor(kBackground, kBackground, kBackground, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.0, 1.0, -1.0, 1.0, -10.0, 10.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        CAxes axes;
        DrawTracker(tracker, &axes);
        return m_context.ReadPixels();
    }
};
} // namespace

TEST_F(TrackerDrawTest, LaterModelsCoverEarlierOnesAtThePoseAndNothingIsDrawnWhenNotFound)
{
    CTracker tracker;
    AddModel(tracker, "near.3ds", "Red", {1.0f, 0.0f, 0.0f}, 0.5f);
    AddModel(tracker, "far.3ds", "Blue", {0.0f, 0.0f, 1.0f}, -0.5f);
    tracker.m_bFound = true;
    tracker.m_pose.GetData()[12] = 0.5; // half the view to the right

    OffscreenImage image = Draw(tracker);
    // The far blue square is drawn last, so it covers the near red one.
    // Looked at off the axes, which are drawn too.
    EXPECT_TRUE(ColourNear(At(image, 0.6, 0.15), 0.0, 0.0, 1.0));
    EXPECT_TRUE(IsBackground(At(image, -0.5, 0.15)));

    tracker.m_bFound = false;
    image = Draw(tracker);
    for (double x : {0.3, 0.5, 0.7})
        for (double y : {0.0, 0.15})
            EXPECT_TRUE(IsBackground(At(image, x, y)));
}
