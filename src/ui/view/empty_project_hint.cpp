#include "ui/view/empty_project_hint.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLPaintDevice>
#include <QPainter>

#include <GL/gl.h>

namespace
{
// Light on the editor's dark grey, and narrow enough to read as one block.
constexpr int kTextGrey = 220;
constexpr double kWidthShare = 0.6;
constexpr int kPointSize = 12;
constexpr int kPanelAlpha = 150;
constexpr double kPanelMargin = 8.0;
} // namespace

void DrawEmptyProjectHint(const QSize& devicePixels, qreal devicePixelRatio)
{
    QOpenGLPaintDevice device(devicePixels);
    device.setDevicePixelRatio(devicePixelRatio);
    {
        QPainter painter(&device);
        QFont font = painter.font();
        font.setPointSize(kPointSize);
        painter.setFont(font);
        const QSizeF logical = QSizeF(devicePixels) / devicePixelRatio;
        const double width = logical.width() * kWidthShare;
        const QRectF box((logical.width() - width) / 2, 0, width, logical.height());
        const QString text = QCoreApplication::translate(
            "CZelmoraView", "Proyecto vacío: añada un tracker en Propiedades > Trackers, o "
                            "arrastre aquí un modelo o una imagen.");
        const int flags = Qt::AlignCenter | Qt::TextWordWrap;
        // A dark panel keeps the text readable over the views' grid lines.
        const QRectF used = painter.boundingRect(box, flags, text);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(0, 0, 0, kPanelAlpha));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(
            used.adjusted(-kPanelMargin, -kPanelMargin, kPanelMargin, kPanelMargin), kPanelMargin,
            kPanelMargin);
        painter.setPen(QColor(kTextGrey, kTextGrey, kTextGrey));
        painter.drawText(box, flags, text);
    }
    // QPainter draws with shaders, buffers and state of its own, which the
    // fixed-function drawing after it must not inherit.
    QOpenGLFunctions* gl = QOpenGLContext::currentContext()->functions();
    gl->glUseProgram(0);
    gl->glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl->glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
}
