// Pictures drawn with a transparent colour, plainly or tinted.
#pragma once

#include <QColor>
#include <QPixmap>

namespace PictureTint {

// The picture with every pixel of `transparent` made transparent.
QPixmap keyed(const QPixmap& picture, const QColor& transparent);

// The keyed picture with its visible pixels blended halfway towards `tint`.
QPixmap tinted(const QPixmap& picture, const QColor& transparent, const QColor& tint);

} // namespace PictureTint
