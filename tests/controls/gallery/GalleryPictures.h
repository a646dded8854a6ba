// Pictures the gallery draws for itself: icons, skins, a thumb and a rail.
#pragma once

#include <QColor>
#include <QPixmap>

namespace GalleryPictures {

// A round icon on a blue (0xFF0000 stored, RGB 0,0,255) transparent background.
QPixmap icon(QColor colour, int size);
// A rounded skin with magenta corners (transparent as 0xFF00FF).
QPixmap skin(QColor top, QColor bottom, QSize size);
QPixmap thumb();
QPixmap rail(bool horizontal);

} // namespace GalleryPictures
