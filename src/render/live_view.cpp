#include "render/live_view.h"

#include "project/tracker.h"
#include "render/model_scene.h"
#include "render/tracker_draw.h"

#include <GL/gl.h>

CMatrix UprightProjection(const CMatrix& cameraProjection)
{
    CMatrix upright(cameraProjection);
    double* m = upright.GetData();
    // Negating the second row is a y-flip of normalised device coordinates
    // applied after the camera's own projection.
    for (int column = 0; column < 4; ++column)
        m[1 + 4 * column] = -m[1 + 4 * column];
    return upright;
}

void DrawVideoBackground(unsigned int texture, double texScaleX, double texScaleY)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, texScaleY);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glTexCoord2d(texScaleX, texScaleY);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glTexCoord2d(texScaleX, 0.0);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2d(0.0, 0.0);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void DrawLiveTrackers(const CMatrix& projection, std::list<CTracker>& trackers, const CAxes* axes)
{
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    GLLoadMatrix(projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    for (CTracker& tracker : trackers)
        DrawTracker(tracker, axes);
    glDisable(GL_DEPTH_TEST);
}

void DrawLiveArea(unsigned int texture, double texScaleX, double texScaleY,
                  const CMatrix& projection, std::list<CTracker>& trackers, const CAxes* axes)
{
    DrawVideoBackground(texture, texScaleX, texScaleY);
    DrawLiveTrackers(projection, trackers, axes);
}
