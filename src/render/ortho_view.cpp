#include "render/ortho_view.h"

#include "render/axes.h"
#include "render/model_scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace
{
constexpr int kGridHalfExtent = 100;
constexpr float kGridGrey = 0.6f;
} // namespace

void CViewCamera::Set(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                      double centreZ, double upX, double upY, double upZ)
{
    const double values[9] = {eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ};
    for (int k = 0; k < 9; ++k)
        m_values[k] = values[k];
}

void CViewCamera::Apply() const
{
    gluLookAt(m_values[0], m_values[1], m_values[2], m_values[3], m_values[4], m_values[5],
              m_values[6], m_values[7], m_values[8]);
}

void CViewCamera::RotateIntoPicturePlane() const
{
    switch (m_nKind)
    {
    case kRotateAboutX:
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        break;
    case kRotateAboutY:
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        break;
    case kRotateAboutZ:
        glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
        break;
    default:
        break;
    }
}

CViewCamera MakeEditorCamera(EditorView view)
{
    CViewCamera camera;
    switch (view)
    {
    case kFrontView:
        camera.Set(0, -5, 0, 0, 0, 0, 0, 0, 1);
        camera.SetKind(CViewCamera::kRotateAboutX);
        break;
    case kTopView:
        camera.Set(0, 0, 5, 0, 0, 0, 0, 1, 0);
        camera.SetKind(CViewCamera::kNoRotation);
        break;
    case kSideView:
        camera.Set(5, 0, 0, 0, 0, 0, 0, 0, 1);
        camera.SetKind(CViewCamera::kRotateAboutY);
        break;
    }
    return camera;
}

double EffectiveZoom(double zoom)
{
    return zoom < 1.0 ? 1.0 : zoom;
}

void DrawOrthoGrid(const CViewCamera& camera)
{
    glPushMatrix();
    camera.RotateIntoPicturePlane();
    glDisable(GL_TEXTURE_2D);
    glColor3f(kGridGrey, kGridGrey, kGridGrey);
    glBegin(GL_LINES);
    for (int i = -kGridHalfExtent; i < kGridHalfExtent; ++i)
    {
        glVertex3f(float(i), -float(kGridHalfExtent), 0.0f);
        glVertex3f(float(i), float(kGridHalfExtent), 0.0f);
        glVertex3f(-float(kGridHalfExtent), float(i), 0.0f);
        glVertex3f(float(kGridHalfExtent), float(i), 0.0f);
    }
    glEnd();
    glPopMatrix();
}

void DrawOrthoView(const CViewCamera& camera, double zoom, const CAxes& axes, CModel3D* pModel)
{
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, 1.0, 100.0);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.Apply();
    const double scale = 1.0 / EffectiveZoom(zoom);
    glScaled(scale, scale, scale);

    DrawOrthoGrid(camera);
    axes.Draw();
    if (pModel)
        DrawModel(*pModel);

    glEnable(GL_TEXTURE_2D);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_DEPTH_TEST);
}

void BeginEditorPicture()
{
    constexpr float kGrey = 0.2f;
    glLineWidth(2.0f);
    glClearColor(kGrey, kGrey, kGrey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
