#include "ui/view/opengl_wnd.h"

#include "project/user_messages.h"

#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <GL/gl.h>

namespace
{
QSurfaceFormat ViewFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(16);
    return format;
}
} // namespace

COpenGLWnd::COpenGLWnd(QWindow* parent) : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate, parent)
{
    setFormat(ViewFormat());
}

COpenGLWnd::~COpenGLWnd() = default;

void COpenGLWnd::initializeGL()
{
    // Fixed-function drawing needs a desktop context that is not a core
    // profile; anything else would draw nothing, so say so once.
    QOpenGLContext* current = context();
    if (!current || !current->isValid() || current->isOpenGLES() ||
        current->format().profile() == QSurfaceFormat::CoreProfile)
    {
        ShowMessage("Error setting up OpenGL!", "Init Error!", MessageIcon::Error);
        emit Initialized();
        return;
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    ApplyInitialState();
    m_bReady = true;
    emit Initialized();
}

void COpenGLWnd::ApplyInitialState()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glLineWidth(2.0f);
    glPointSize(3.0f);
}

void COpenGLWnd::paintGL()
{
    if (m_bReady)
        OnDraw();
}

QImage COpenGLWnd::Render()
{
    if (!context())
        return QImage();
    makeCurrent();
    paintGL();
    // The back buffer still holds the picture: nothing has swapped it.
    return grabFramebuffer();
}

void COpenGLWnd::OnDraw()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
