#include "ui/view/tree_images.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>

namespace
{
constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;

void DrawFolder(QPainter& painter)
{
    painter.setPen(QColor(128, 128, 0));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawRect(1, 4, 13, 9);
    painter.drawRect(1, 2, 5, 2);
}

void DrawLetterT(QPainter& painter)
{
    painter.fillRect(2, 2, 12, 3, QColor(255, 0, 0));
    painter.fillRect(6, 5, 4, 9, QColor(255, 0, 0));
}

void DrawSquareFrame(QPainter& painter)
{
    painter.fillRect(1, 1, 14, 13, Qt::black);
    painter.fillRect(4, 4, 8, 7, Qt::white);
}

// A little person: head, body, arms and legs.
void DrawFigure(QPainter& painter)
{
    const QColor green(0, 128, 0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(green);
    painter.drawEllipse(6, 1, 4, 4);
    painter.fillRect(6, 5, 4, 5, green);
    painter.fillRect(3, 6, 10, 2, green);
    painter.fillRect(6, 10, 1, 4, green);
    painter.fillRect(9, 10, 1, 4, green);
}
} // namespace

QPixmap TreeImageStrip()
{
    QPixmap strip(4 * kImageWidth, kImageHeight);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    void (*const draw[4])(QPainter&) = {DrawFolder, DrawLetterT, DrawSquareFrame, DrawFigure};
    for (int k = 0; k < 4; ++k)
    {
        painter.save();
        painter.translate(k * kImageWidth, 0);
        draw[k](painter);
        painter.restore();
    }
    return strip;
}

QIcon TreeIcon(NodeKind kind)
{
    static const QPixmap strip = TreeImageStrip();
    QPixmap picture = strip.copy(int(kind) * kImageWidth, 0, kImageWidth, kImageHeight);
    picture.setMask(picture.createMaskFromColor(Qt::white));
    return QIcon(picture);
}
