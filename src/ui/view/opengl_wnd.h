#pragma once
// The OpenGL window base of the editor view: a QOpenGLWidget with a
// double-buffered RGBA context (24-bit colour, 16-bit depth, compatibility
// profile, fixed-function drawing) and the initial state every drawing
// expects. GUI thread only.

#include <QOpenGLWindow>

class COpenGLWnd : public QOpenGLWindow
{
    Q_OBJECT
  public:
    explicit COpenGLWnd(QWindow* parent = nullptr);
    ~COpenGLWnd() override;

    // The context exists and took its initial state.
    bool IsReady() const { return m_bReady; }
    // Draws the picture now and reads it back, top row first; what the
    // next repaint will show. Null before the context exists.
    QImage Render();

  signals:
    // The context was set up (or failed to be, with a message): from now on
    // GL resources can be made.
    void Initialized();

  protected:
    void initializeGL() override;
    void paintGL() override;
    // Derived views draw here; the default clears to the clear colour.
    virtual void OnDraw();
    // The fixed-function switches every drawing starts from (depth test,
    // textures, line and point size); set up with the context, and again
    // after QPainter drew in it.
    static void ApplyInitialState();

  private:
    bool m_bReady = false;
};
