#include "controls/PictureTint.h"

#include <QBitmap>
#include <QPainter>

namespace PictureTint {

QPixmap keyed(const QPixmap& picture, const QColor& transparent)
{
    QPixmap result = picture;
    result.setMask(picture.createMaskFromColor(transparent, Qt::MaskInColor));
    return result;
}

QPixmap tinted(const QPixmap& picture, const QColor& transparent, const QColor& tint)
{
    QPixmap result = keyed(picture, transparent);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QColor half = tint;
    half.setAlpha(128);
    painter.fillRect(result.rect(), half);
    return result;
}

} // namespace PictureTint
