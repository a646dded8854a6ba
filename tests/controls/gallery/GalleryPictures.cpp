#include "GalleryPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace GalleryPictures {

QPixmap icon(QColor colour, int size)
{
    QPixmap p(size, size);
    p.fill(QColor(0, 0, 255));
    QPainter painter(&p);
    painter.setPen(colour.darker(160));
    painter.setBrush(colour);
    painter.drawEllipse(1, 1, size - 3, size - 3);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    const int c = size / 2;
    painter.drawEllipse(QPoint(c - size / 8, c - size / 8), size / 8, size / 8);
    return p;
}

QPixmap skin(QColor top, QColor bottom, QSize size)
{
    QPixmap p(size);
    p.fill(QColor(255, 0, 255));
    QPainter painter(&p);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, size.width() - 1, size.height() - 1), 6, 6);
    painter.fillPath(path, gradient);
    painter.setPen(bottom.darker(150));
    painter.drawPath(path);
    return p;
}

QPixmap thumb()
{
    QPixmap p(12, 20);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 12, 0);
    gradient.setColorAt(0, QColor(120, 160, 220));
    gradient.setColorAt(1, QColor(40, 70, 140));
    painter.setBrush(gradient);
    painter.setPen(QColor(20, 40, 90));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 11, 19), 3, 3);
    return p;
}

QPixmap rail(bool horizontal)
{
    const QSize size = horizontal ? QSize(140, 10) : QSize(10, 100);
    QPixmap p(size);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    QLinearGradient gradient(0, 0, horizontal ? size.width() : 0, horizontal ? 0 : size.height());
    gradient.setColorAt(0, QColor(60, 180, 80));
    gradient.setColorAt(1, QColor(220, 60, 40));
    painter.setBrush(gradient);
    painter.setPen(QColor(70, 70, 70));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 4, 4);
    return p;
}

} // namespace GalleryPictures
