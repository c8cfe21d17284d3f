#include "view/zelmora_view.h"

#include "app/zelmora_doc.h"
#include "model/live_view.h"
#include "tracking/gl_conversion.h"
#include "view/model_selection.h"

#include <QTimerEvent>

#include <GL/gl.h>

namespace
{
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 5000.0;

void SetViewport(const CGlRect& rect) { glViewport(rect.left, rect.bottom, rect.Width(), rect.Height()); }
} // namespace

CZelmoraView::CZelmoraView(CZelmoraDoc& doc, QWindow* parent) : COpenGLWnd(parent), m_doc(doc)
{
    setObjectName("vistaEditor");
    m_cameras[kFrontView] = MakeEditorCamera(kFrontView);
    m_cameras[kTopView] = MakeEditorCamera(kTopView);
    m_cameras[kSideView] = MakeEditorCamera(kSideView);
    m_animationTimer.start(kAnimationPeriodMs, this);
}

CZelmoraView::~CZelmoraView() = default;

void CZelmoraView::MakeCurrent()
{
    // Before the widget is first shown there is no context yet; nothing of
    // the project can have reached OpenGL then either.
    if (context())
        makeCurrent();
}

void CZelmoraView::Invalidate() { update(); }

void CZelmoraView::RunLayoutChanged()
{
    LayoutViewports();
    update();
}

void CZelmoraView::FrameReady()
{
    if (m_bStepPosted.exchange(true))
        return;
    QMetaObject::invokeMethod(this, [this] { Step(); }, Qt::QueuedConnection);
}

void CZelmoraView::Step()
{
    m_bStepPosted = false;
    MakeCurrent();
    // Frames that came while this one was processed are taken in the next
    // step, posted behind whatever the user did meanwhile.
    if (m_doc.OnIdleFrame())
        FrameReady();
}

void CZelmoraView::resizeGL(int, int) { LayoutViewports(); }

void CZelmoraView::LayoutViewports()
{
    // Device pixels, so a high-DPI screen draws the same picture.
    const qreal ratio = devicePixelRatio();
    const int cx = int(width() * ratio);
    const int cy = int(height() * ratio);
    const CVideoSource* source = m_doc.m_pVideoSource.get();
    m_layout = ::LayoutViewports(cx, cy, source ? source->m_nWidth : 0,
                                 source ? source->m_nHeight : 0);
    if (m_doc.m_pCameraCalibration)
        convertToGlProjection(m_doc.m_pCameraCalibration->m_param, kNearPlane, kFarPlane,
                              m_projection.GetData());
}

void CZelmoraView::OnDraw()
{
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (m_doc.m_bSingleView)
    {
        SetViewport(m_layout.letterbox);
        DrawLiveView();
        return;
    }
    SetViewport(m_layout.quadrants[0][0]);
    DrawOrthoView(0, 0);
    SetViewport(m_layout.quadrants[0][1]);
    DrawOrthoView(0, 1);
    SetViewport(m_layout.quadrants[1][0]);
    DrawOrthoView(1, 0);
    SetViewport(m_layout.quadrants[1][1]);
    DrawLiveView();
}

void CZelmoraView::DrawOrthoView(int column, int row)
{
    CModel3D* model = m_pSelection ? m_pSelection->GetSelectedModel() : nullptr;
    ::DrawOrthoView(m_cameras[column * 2 + row], m_doc.m_nViewZoom, m_axes, model);
}

void CZelmoraView::DrawLiveView()
{
    const CVideoSource* source = m_doc.m_pVideoSource.get();
    if (!source || source->GetTexture() == CVideoSource::kNoTexture)
        return;
    DrawVideoBackground(source->GetTexture(), source->GetTexScaleX(), source->GetTexScaleY());
    DrawLiveTrackers(UprightProjection(m_projection), m_doc.m_trackers,
                     m_doc.m_bSingleView ? nullptr : &m_axes);
}

void CZelmoraView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_animationTimer.timerId())
        return COpenGLWnd::timerEvent(event);
    if (!HasAnimatedModel())
        return;
    MakeCurrent();
    m_doc.AdvanceAnimations();
    update();
}

bool CZelmoraView::HasAnimatedModel() const
{
    for (const CTracker& tracker : m_doc.m_trackers)
        for (const CModel3D& model : tracker.m_models)
            if (model.m_scene.IsAnimated())
                return true;
    return false;
}
