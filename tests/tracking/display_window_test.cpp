#include "tracking/display_window.h"
#include "tracking/tracking_state.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>

// Opens the real window, so it needs an X server (scripts/test.sh runs the
// suite under Xvfb); without one it is skipped.
TEST(DisplayWindow, OpensAtTheGeometrySizeWithItsTextureState)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "no X display";
    trackingState().Reset();
    CameraParam camera;
    camera.xsize = 320;
    camera.ysize = 240;
    initDisplayWindow(camera, 1.0, 0, 3, 1, 0);

    const DisplayWindowState& window = trackingState().window;
    ASSERT_NE(window.windowId, 0);
    EXPECT_EQ(glutGetWindow(), window.windowId);
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 480);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 360);
    EXPECT_EQ(glutGet(GLUT_WINDOW_X), 0);
    EXPECT_EQ(glutGet(GLUT_WINDOW_Y), 0);
    EXPECT_TRUE(glutGet(GLUT_WINDOW_DOUBLEBUFFER));
    EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
    EXPECT_GT(glutGet(GLUT_WINDOW_STENCIL_SIZE), 0);

    GLint alignment = 0, bound = 0, filter = 0;
    GLfloat mode = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(alignment, 1);
    EXPECT_EQ(static_cast<GLuint>(bound), window.textures[2]);
    EXPECT_EQ(filter, GL_NEAREST);
    EXPECT_EQ(mode, static_cast<GLfloat>(GL_DECAL));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    glutDestroyWindow(window.windowId);
    trackingState().Reset();
}
