#include "ui/shell/zelmora_picture.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ZelmoraPicture(int side)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = side / 16.0;
    // The marker: white card, black square with a quarter-width border.
    painter.fillRect(QRectF(0, 0, side, side), Qt::white);
    painter.fillRect(QRectF(unit, unit, 14 * unit, 14 * unit), Qt::black);
    painter.fillRect(QRectF(4 * unit, 4 * unit, 8 * unit, 8 * unit), Qt::white);
    // The house: red roof over a sand-coloured wall with a door.
    QPainterPath roof;
    roof.moveTo(4.5 * unit, 8 * unit);
    roof.lineTo(8 * unit, 4.8 * unit);
    roof.lineTo(11.5 * unit, 8 * unit);
    roof.closeSubpath();
    painter.fillPath(roof, QColor(200, 40, 30));
    painter.fillRect(QRectF(5.5 * unit, 8 * unit, 5 * unit, 3.5 * unit), QColor(230, 200, 140));
    painter.fillRect(QRectF(7.4 * unit, 9.4 * unit, 1.2 * unit, 2.1 * unit), QColor(90, 60, 30));
    return picture;
}
