#include "controls/SliderGeometry.h"

#include "controls/Rounding.h"

#include <algorithm>

using Rounding::halve;

namespace SliderGeometry {

double valueToPosition(int orientation, int travel, int value, int min, int range)
{
    if (range <= 0)
        return orientation == Horizontal ? 0.0 : double(travel);
    // A value beyond Max (Max lowered below it) keeps the thumb at the end.
    const double along = std::clamp(double(travel) * double(value - min) / double(range), 0.0,
                                    double(std::max(travel, 0)));
    return orientation == Horizontal ? along : double(travel) - along;
}

std::optional<int> positionToValue(int orientation, double position, int travel, int min, int range)
{
    if (travel <= 0 || range <= 0)
        return std::nullopt;
    const double along = orientation == Horizontal ? position : double(travel) - position;
    return Rounding::halfEven(along / double(travel) * double(range) + double(min));
}

Layout layout(const LayoutInput& in)
{
    Layout out;
    const bool horizontal = in.orientation == Horizontal;
    const bool railPicture = in.railStyle == RailImageStyle && !in.railPicture.isEmpty();
    const QSize t = in.thumb;
    const QSize r = in.railPicture;

    // The control's size.
    QSize c = in.control;
    if (railPicture) {
        c = horizontal ? QSize(r.width() + 4, std::max(r.height(), t.height()))
                       : QSize(std::max(r.width(), t.width()), r.height() + 4);
    } else if (horizontal) {
        c = QSize(c.width() == 0 ? t.width() : c.width(), t.height());
    } else {
        c = QSize(t.width(), c.height() == 0 ? t.height() : c.height());
    }
    out.control = c;

    // Across the rail: centred on a rail picture larger than the thumb.
    double across = 0.0;
    if (horizontal && railPicture && t.height() < r.height())
        across = halve(r.height() - t.height());
    else if (!horizontal && railPicture && t.width() < r.width())
        across = halve(r.width() - t.width());

    // Along the rail.
    const int travel = horizontal ? c.width() - t.width() : c.height() - t.height();
    const double along = valueToPosition(in.orientation, travel, in.value, in.min, in.range);
    out.thumb = horizontal ? QPointF(along, across) : QPointF(across, along);

    // The groove: 2 pixels before the thumb centre at Min to 2 past it at Max.
    if (horizontal) {
        const int top = halve(t.height() - 4);
        const int left = halve(t.width()) - 2;
        const int right = c.width() + left - t.width() + 4;
        out.groove = QRect(left, top, right - left, 4);
    } else {
        const int left = halve(t.width() - 4);
        const int top = halve(t.height()) - 2;
        const int bottom = c.height() + top - t.height() + 4;
        out.groove = QRect(left, top, 4, bottom - top);
    }
    return out;
}

QPoint railPicturePosition(int orientation, QSize control, QSize railPicture)
{
    if (orientation == Horizontal)
        return QPoint(2, halve(control.height() - railPicture.height()));
    return QPoint(halve(control.width() - railPicture.width()), 2);
}

QRect thumbRect(QPointF thumb, QSize thumbSize)
{
    const int left = Rounding::halfEven(thumb.x());
    const int top = Rounding::halfEven(thumb.y());
    const int right = Rounding::halfEven(thumb.x() + thumbSize.width());
    const int bottom = Rounding::halfEven(thumb.y() + thumbSize.height());
    return QRect(left, top, right - left, bottom - top);
}

QPoint tipPosition(int orientation, QPoint controlTopLeft, QPointF thumb, QSize thumbSize,
                   QSize label)
{
    double x = 0;
    double y = 0;
    if (orientation == Horizontal) {
        x = controlTopLeft.x() + thumb.x() + halve(thumbSize.width() - label.width() - 4);
        y = controlTopLeft.y() + thumb.y() - label.height() - 5;
    } else {
        x = controlTopLeft.x() + thumb.x() - label.width() - 6;
        y = controlTopLeft.y() + thumb.y() + halve(thumbSize.height() - label.height() - 4);
    }
    return QPoint(Rounding::halfEven(x), Rounding::halfEven(y));
}

} // namespace SliderGeometry
