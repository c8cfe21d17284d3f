#pragma once
// The editor view: three orthographic views of the selected model (front
// "Alzado", side "Perfil", top "Planta") and the live augmented view, in a
// four-way split or the live view alone. It owns the OpenGL context every
// GL resource of the project lives in. GUI thread only, except FrameReady.
//
// It draws only when something changed: a video frame, an animation step,
// a resize or an edit (the document and the navigator call Invalidate).

#include "document/document_hosts.h"
#include "render/axes.h"
#include "project/matrix.h"
#include "render/ortho_view.h"
#include "ui/view/opengl_wnd.h"
#include "ui/view/viewport_layout.h"

#include <QBasicTimer>

#include <atomic>
#include <memory>

class QOpenGLFramebufferObject;

class CZelmoraDoc;
class CModelSelection;

class CZelmoraView : public COpenGLWnd, public CDocumentView
{
    Q_OBJECT
  public:
    // Animation steps every 100 ms.
    static constexpr int kAnimationPeriodMs = 100;

    explicit CZelmoraView(CZelmoraDoc& doc, QWindow* parent = nullptr);
    ~CZelmoraView() override;

    void SetSelection(CModelSelection* selection) { m_pSelection = selection; }

    void MakeCurrent() override;
    void Invalidate() override;
    void RunLayoutChanged() override;
    void FrameReady() override;
    bool ReadLiveFrame(std::vector<unsigned char>& rgba) override;

    const CViewportLayout& Layout() const { return m_layout; }

    static constexpr int kMaxViewZoom = 10000;

  signals:
    // A drag in an orthographic view moved the selected model; it already
    // stands at `after`.
    void SelectedModelMoved(CMatrix before, CMatrix after);
    // The wheel asks for another zoom of the orthographic views.
    void ZoomRequested(int nZoom);

  protected:
    void resizeGL(int w, int h) override;
    void OnDraw() override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void LayoutViewports();
    void DrawOrthoView(int column, int row);
    void DrawLiveView();
    void Step();
    bool HasAnimatedModel() const;
    // The orthographic view under a point of the window (logical pixels),
    // or -1 over the live view, a gap or in single-view mode.
    int OrthoViewAt(QPointF position) const;
    CModel3D* SelectedModel() const;

    CZelmoraDoc& m_doc;
    CModelSelection* m_pSelection = nullptr;
    CMatrix m_projection; // the camera's, turned over for the upright picture
    CViewportLayout m_layout;
    CViewCamera m_cameras[3];
    CAxes m_axes;
    QBasicTimer m_animationTimer;
    // One posted step at a time: a burst of frames wakes the GUI once.
    std::atomic<bool> m_bStepPosted{false};
    // The live area at the video's size, for recordings.
    std::unique_ptr<QOpenGLFramebufferObject> m_pLiveFrame;

    // A drag in progress: the view it began in, where, and the model's
    // placement then.
    int m_nDragView = -1;
    QPointF m_dragStart;
    CModel3D* m_pDragged = nullptr;
    CMatrix m_dragBefore;
};
