#include "ui/view/zelmora_view.h"

#include "document/zelmora_doc.h"
#include "ui/view/empty_project_hint.h"
#include "render/live_view.h"
#include "project/placement.h"
#include "ui/view/model_selection.h"
#include "render/model_scene.h"

#include <QMouseEvent>
#include <QOpenGLFramebufferObject>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>

#include <GL/gl.h>

namespace
{
void SetViewport(const CGlRect& rect)
{
    glViewport(rect.left, rect.bottom, rect.Width(), rect.Height());
}
} // namespace

CZelmoraView::CZelmoraView(CZelmoraDoc& doc, QWindow* parent) : COpenGLWnd(parent), m_doc(doc)
{
    setObjectName("editorView");
    m_cameras[kFrontView] = MakeEditorCamera(kFrontView);
    m_cameras[kTopView] = MakeEditorCamera(kTopView);
    m_cameras[kSideView] = MakeEditorCamera(kSideView);
    m_animationTimer.start(kAnimationPeriodMs, this);
}

CZelmoraView::~CZelmoraView()
{
    // The recording's framebuffer lives in this view's context.
    if (m_pLiveFrame && context())
    {
        makeCurrent();
        m_pLiveFrame.reset();
    }
}

void CZelmoraView::MakeCurrent()
{
    // Before the window is first shown there is no context yet; nothing of
    // the project can have reached OpenGL then either.
    if (context())
        makeCurrent();
}

void CZelmoraView::Invalidate()
{
    update();
}

void CZelmoraView::RunLayoutChanged()
{
    LayoutViewports();
    update();
}

void CZelmoraView::FrameReady()
{
    if (m_bStepPosted.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this, [this] { Step(); }, Qt::QueuedConnection);
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

void CZelmoraView::resizeGL(int, int)
{
    LayoutViewports();
}

void CZelmoraView::LayoutViewports()
{
    // Device pixels, so a high-DPI screen draws the same picture.
    const qreal ratio = devicePixelRatio();
    const int cx = int(width() * ratio);
    const int cy = int(height() * ratio);
    const CVideoSource* source = m_doc.m_pVideoSource.get();
    m_layout =
        ::LayoutViewports(cx, cy, source ? source->m_nWidth : 0, source ? source->m_nHeight : 0);
    if (m_doc.m_pCameraCalibration)
        m_projection = m_doc.m_pCameraCalibration->LiveProjection();
}

void CZelmoraView::OnDraw()
{
    BeginEditorPicture();
    if (m_doc.m_settings.m_bSingleView)
    {
        SetViewport(m_layout.letterbox);
        DrawLiveView();
    }
    else
    {
        SetViewport(m_layout.quadrants[0][0]);
        DrawOrthoView(0, 0);
        SetViewport(m_layout.quadrants[0][1]);
        DrawOrthoView(0, 1);
        SetViewport(m_layout.quadrants[1][0]);
        DrawOrthoView(1, 0);
        SetViewport(m_layout.quadrants[1][1]);
        DrawLiveView();
    }
    if (m_doc.m_trackers.empty())
    {
        DrawEmptyProjectHint(size() * devicePixelRatio(), devicePixelRatio());
        ApplyInitialState();
    }
}

void CZelmoraView::DrawOrthoView(int column, int row)
{
    CModel3D* model = m_pSelection ? m_pSelection->GetSelectedModel() : nullptr;
    ::DrawOrthoView(m_cameras[column * 2 + row], m_doc.m_settings.m_nViewZoom, m_axes, model);
}

void CZelmoraView::DrawLiveView()
{
    const CVideoSource* source = m_doc.m_pVideoSource.get();
    if (!source || source->GetTexture() == CVideoSource::kNoTexture)
        return;
    DrawLiveArea(source->GetTexture(), source->GetTexScaleX(), source->GetTexScaleY(),
                 m_projection, m_doc.m_trackers, m_doc.m_settings.m_bSingleView ? nullptr : &m_axes);
}

bool CZelmoraView::ReadLiveFrame(std::vector<unsigned char>& rgba)
{
    const CVideoSource* source = m_doc.m_pVideoSource.get();
    if (!context() || !source || source->GetTexture() == CVideoSource::kNoTexture)
        return false;
    makeCurrent();
    const QSize size(source->m_nWidth, source->m_nHeight);
    if (!m_pLiveFrame || m_pLiveFrame->size() != size)
        m_pLiveFrame = std::make_unique<QOpenGLFramebufferObject>(
            size, QOpenGLFramebufferObject::Depth);
    if (!m_pLiveFrame->isValid() || !m_pLiveFrame->bind())
        return false;
    glViewport(0, 0, size.width(), size.height());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // As in single-view mode: a recording shows the models, not the axes.
    DrawLiveArea(source->GetTexture(), source->GetTexScaleX(), source->GetTexScaleY(),
                 m_projection, m_doc.m_trackers, nullptr);
    rgba.resize(size_t(size.width()) * size.height() * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    m_pLiveFrame->release();
    return true;
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
            if (IsModelAnimated(model))
                return true;
    return false;
}

CModel3D* CZelmoraView::SelectedModel() const
{
    return m_pSelection ? m_pSelection->GetSelectedModel() : nullptr;
}

int CZelmoraView::OrthoViewAt(QPointF position) const
{
    if (m_doc.m_settings.m_bSingleView)
        return -1;
    const qreal ratio = devicePixelRatio();
    const int x = int(position.x() * ratio);
    const int y = int(height() * ratio) - 1 - int(position.y() * ratio);
    for (int column = 0; column < 2; ++column)
        for (int row = 0; row < 2; ++row)
        {
            const CGlRect& rect = m_layout.quadrants[column][row];
            const bool live = column == 1 && row == 1;
            if (!live && x >= rect.left && x < rect.right && y >= rect.bottom && y < rect.top)
                return column * 2 + row;
        }
    return -1;
}

void CZelmoraView::mousePressEvent(QMouseEvent* event)
{
    m_nDragView = -1;
    if (event->button() != Qt::LeftButton)
        return;
    m_pDragged = SelectedModel();
    m_nDragView = m_pDragged ? OrthoViewAt(event->position()) : -1;
    if (m_nDragView < 0)
        return;
    m_dragStart = event->position();
    m_dragBefore = m_pDragged->m_matrix;
}

void CZelmoraView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_nDragView < 0)
        return;
    // A selection that changed under the drag (an undo, a rebuilt tree)
    // ends it where it is.
    if (SelectedModel() != m_pDragged)
    {
        m_nDragView = -1;
        return;
    }
    // The view shows -zoom..zoom across each quadrant, whatever its shape.
    const CGlRect& rect = m_layout.quadrants[m_nDragView / 2][m_nDragView % 2];
    const double zoom = EffectiveZoom(m_doc.m_settings.m_nViewZoom);
    const qreal ratio = devicePixelRatio();
    const QPointF moved = (event->position() - m_dragStart) * ratio;
    const double right = moved.x() * 2.0 * zoom / std::max(1, rect.Width());
    const double up = -moved.y() * 2.0 * zoom / std::max(1, rect.Height());
    m_pDragged->m_matrix =
        TranslateInView(m_dragBefore, static_cast<EditorView>(m_nDragView), right, up);
    update();
}

void CZelmoraView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_nDragView < 0)
        return;
    mouseMoveEvent(event);
    const bool moved = m_nDragView >= 0 && m_pDragged->m_matrix != m_dragBefore;
    m_nDragView = -1;
    if (moved)
        emit SelectedModelMoved(m_dragBefore, m_pDragged->m_matrix);
}

void CZelmoraView::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0 || OrthoViewAt(event->position()) < 0)
        return;
    // A tenth of the zoom per notch, at least one: fine steps close up,
    // quick ones far out. Forward brings the model closer.
    const int zoom = std::max(1, m_doc.m_settings.m_nViewZoom);
    const int step = std::max(1, zoom / 10);
    const int wanted = std::clamp(zoom - notches * step, 1, kMaxViewZoom);
    if (wanted != m_doc.m_settings.m_nViewZoom)
        emit ZoomRequested(wanted);
}
