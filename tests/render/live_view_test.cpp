// The live area as a person sees it: the camera picture upright, and a
// model drawn where the camera sees the point of the marker it sits on.
#include "render_fixture.h"

#include "render/live_view.h"
#include "project/tracker.h"
#include "support/marker_projection.h"
#include "tracking/gl_conversion.h"

#include <GL/gl.h>

#include <vector>

namespace
{
// The picture is read back at a quarter of the camera's 640 x 480.
constexpr int kViewWidth = 160;
constexpr int kViewHeight = 120;
constexpr int kTextureSide = 1024;

class LiveViewTest : public RenderTest
{
  protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_context.Create(kViewWidth, kViewHeight, &error)) << error;
        glClearColor(kBackground, kBackground, kBackground, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

// A 640 x 480 BGRA frame: red top half, blue bottom half, and a green strip
// down the left edge, as a camera delivers it (row 0 first).
std::vector<unsigned char> TopRedBottomBlueFrame()
{
    std::vector<unsigned char> frame(size_t(640) * 480 * 4, 0);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
        {
            unsigned char* bgra = &frame[(size_t(y) * 640 + x) * 4];
            if (x < 80)
                bgra[1] = 255;
            else
                bgra[y < 240 ? 2 : 0] = 255;
        }
    return frame;
}
} // namespace

TEST_F(LiveViewTest, ThePictureIsUprightAndNotMirrored)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, kTextureSide, kTextureSide, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 nullptr);
    const std::vector<unsigned char> frame = TopRedBottomBlueFrame();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 640, 480, GL_BGRA, GL_UNSIGNED_BYTE, frame.data());

    DrawVideoBackground(texture, 640.0 / kTextureSide, 480.0 / kTextureSide);
    const OffscreenImage image = m_context.ReadPixels();
    EXPECT_TRUE(ColourNear(image.At(100, 10), 1, 0, 0)) << "the top of the picture at the top";
    EXPECT_TRUE(ColourNear(image.At(100, 110), 0, 0, 1));
    EXPECT_TRUE(ColourNear(image.At(5, 60), 0, 1, 0)) << "the left edge on the left";
    glDeleteTextures(1, &texture);
}

TEST_F(LiveViewTest, AModelBesideItsMarkerIsDrawnWhereTheCameraSeesThatPoint)
{
    // A red square 40 units along the marker's x axis, facing the camera.
    std::list<CTracker> trackers(1);
    CTracker& tracker = trackers.front();
    tracker.m_models.emplace_back();
    ASSERT_TRUE(Load(tracker.m_models.back(),
                     OneMeshScene(SquareMesh("Square", {40.0f, 0.0f, 0.0f}, 8.0f, 0, 1, "Red"),
                                  {PlainMaterial("Red", {1.0f, 0.0f, 0.0f})})));

    double pose[3][4];
    FacingPose(30.0, -20.0, 500.0, 25.0, pose);
    // The tracker's pose has x mirrored, as the pattern states give it.
    tracker.m_pose = CMatrix::FromTransform(pose);
    for (int k = 0; k < 3; ++k)
        tracker.m_pose.GetData()[k] = -tracker.m_pose.GetData()[k];
    tracker.m_bFound = true;

    const CameraParam camera = PinholeCamera();
    CMatrix projection;
    convertToGlProjection(camera, 1.0, 5000.0, projection.GetData());
    DrawLiveTrackers(UprightProjection(projection), trackers, nullptr);
    const OffscreenImage image = m_context.ReadPixels();

    // Where an ideal camera puts the marker points (+40, 0, 0) and its
    // mirror image (-40, 0, 0), in picture pixels with y down.
    auto seen = [&](double x)
    {
        const double cx = pose[0][0] * x + pose[0][3];
        const double cy = pose[1][0] * x + pose[1][3];
        const double cz = pose[2][0] * x + pose[2][3];
        const int u = int((600.0 * cx / cz + 320.0) / 4.0);
        const int v = int((600.0 * cy / cz + 240.0) / 4.0);
        return image.At(u, v);
    };
    EXPECT_TRUE(ColourNear(seen(40.0), 1, 0, 0));
    EXPECT_TRUE(IsBackground(seen(-40.0))) << "not mirrored onto the other side";
}
