#include "tracking/display_window.h"

#include "tracking/tracking_state.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
// Extra views beyond this many are not laid out.
constexpr int kMaxExtraViews = 8;
// Head-mounted displays get a fixed VGA view whatever the camera's size.
constexpr int kHmdWidth = 640;
constexpr int kHmdHeight = 480;
// Keeps an absurd zoom from making an absurd window.
constexpr double kMaxZoom = 16.0;

// X11 cannot make a window side longer than this.
constexpr int kMaxWindowSide = 32767;

int Scaled(int size, double factor)
{
    return static_cast<int>(std::min(size * factor, double{kMaxWindowSide}));
}

// freeglut refuses a second glutInit and will not create a window without
// one; the flag lives outside TrackingState because a test reset must not
// make us call it again.
void EnsureGlutInitialised()
{
    static bool initialised = false;
    if (initialised)
        return;
    int argc = 1;
    char name[] = "zelmora";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    initialised = true;
}

void SetUpTextures(unsigned int textures[4])
{
    glGenTextures(4, textures);
    for (int i = 0; i < 3; ++i)
    {
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    }
}
} // namespace

DisplayWindowGeometry displayWindowGeometry(const CameraParam& cparam, double zoom, int xwin,
                                            int ywin, int hmd)
{
    if (!std::isfinite(zoom) || zoom <= 0.0)
        zoom = 1.0;
    else if (zoom > kMaxZoom)
        zoom = kMaxZoom;
    DisplayWindowGeometry geometry;
    if (hmd == 0)
    {
        geometry.viewWidth = Scaled(cparam.xsize, zoom);
        geometry.viewHeight = Scaled(cparam.ysize, zoom);
    }
    else
    {
        geometry.viewWidth = kHmdWidth;
        geometry.viewHeight = kHmdHeight;
    }
    geometry.miniWidth = Scaled(cparam.xsize, zoom * 0.5);
    geometry.miniHeight = Scaled(cparam.ysize, zoom * 0.5);

    int columns = std::clamp(xwin, 0, kMaxExtraViews + 1);
    int rows = std::clamp(ywin, 0, kMaxExtraViews + 1);
    if (columns * rows > kMaxExtraViews)
    {
        columns = std::min(columns, kMaxExtraViews);
        rows = kMaxExtraViews / columns;
    }
    rows = std::min(rows, kMaxExtraViews);
    geometry.columns = columns;
    geometry.rows = rows;
    geometry.windowWidth =
        std::min(std::max(geometry.miniWidth * columns, geometry.viewWidth), kMaxWindowSide);
    geometry.windowHeight =
        std::min(geometry.viewHeight + geometry.miniHeight * rows, kMaxWindowSide);
    return geometry;
}

void initDisplayWindow(const CameraParam& cparam, double zoom, int full, int xwin, int ywin,
                       int hmd)
{
    DisplayWindowState& window = trackingState().window;
    const DisplayWindowGeometry geometry = displayWindowGeometry(cparam, zoom, xwin, ywin, hmd);
    window.zoom = zoom;
    window.imageWidth = cparam.xsize;
    window.imageHeight = cparam.ysize;
    window.hmd = hmd;
    window.windowWidth = geometry.windowWidth;
    window.windowHeight = geometry.windowHeight;

    // freeglut ends the process when it cannot open the display.
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
    {
        std::fprintf(stderr, "initDisplayWindow: no X display to open the window on\n");
        return;
    }
    EnsureGlutInitialised();
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(geometry.windowWidth, geometry.windowHeight);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);
    window.windowId = glutCreateWindow("");
    if (full)
    {
        glutFullScreen();
        window.windowWidth = glutGet(GLUT_SCREEN_WIDTH);
        window.windowHeight = glutGet(GLUT_SCREEN_HEIGHT);
    }
    SetUpTextures(window.textures);
}
