#include "platform/WindowRegion.h"

#include <QWidget>

namespace WindowRegion {

QRegion roundedCorners(QSize size)
{
    const int w = size.width();
    const int h = size.height();
    QRegion region(0, 0, w, h);
    if (w < 4 || h < 4)
        return region; // too small to carry notches on both sides
    const auto cut = [&region](int x, int y, int cw, int ch) {
        region = region.subtracted(QRegion(x, y, cw, ch));
    };
    cut(0, 0, 2, 1); // top left
    cut(0, 1, 1, 1);
    cut(w - 2, 0, 2, 1); // top right
    cut(w - 1, 1, 1, 1);
    cut(0, h - 1, 2, 1); // bottom left
    cut(0, h - 2, 1, 1);
    cut(w - 2, h - 1, 2, 1); // bottom right
    cut(w - 1, h - 2, 1, 1);
    return region;
}

void apply(QWidget* widget, const QRegion& region)
{
    if (region.isEmpty())
        widget->clearMask();
    else
        widget->setMask(region);
}

} // namespace WindowRegion
