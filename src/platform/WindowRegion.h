// Window shapes: what SetWindowRgn gives on Windows, here the widget's mask.
#pragma once

#include <QRegion>
#include <QSize>

class QWidget;

namespace WindowRegion {

// The rectangle (0, 0, size) with three pixels cut from each corner: two on the
// outer row and one on the row next to it, which rounds the corners. Sizes under
// 4 pixels either way keep the whole rectangle.
QRegion roundedCorners(QSize size);

// Shapes the widget (clipping its painting and its mouse input); an empty region
// restores the full rectangle.
void apply(QWidget* widget, const QRegion& region);

} // namespace WindowRegion
