// The slider's arithmetic: where the thumb sits for a value, which value a
// dragged thumb stands for, the control's size, the groove and the tip's place.
// All in pixels; orientation 0 is horizontal (Min at the left), 1 vertical (Min
// at the bottom).
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <optional>

namespace SliderGeometry {

inline constexpr int Horizontal = 0;
inline constexpr int Vertical = 1;
inline constexpr int RailImageStyle = 99;
inline constexpr QSize DefaultThumb{16, 15}; // the thumb box without a picture

// The thumb's left (horizontal) or top (vertical) for a value. `travel` is the
// control's length less the thumb's along the orientation. The thumb stays
// within the control; a range that is not positive (only possible from
// unchecked saved values) puts it at Min.
double valueToPosition(int orientation, int travel, int value, int min, int range);

// The value a thumb at `position` stands for, the half-way point going to the
// even value; none when the thumb fills the control (no travel) or the range is
// not positive.
std::optional<int> positionToValue(int orientation, double position, int travel, int min,
                                   int range);

struct LayoutInput
{
    int orientation = Vertical;
    int railStyle = 0;
    QSize thumb = DefaultThumb;
    QSize railPicture; // empty without a rail picture
    QSize control;
    int value = 0;
    int min = 0;
    int range = 10;
};

struct Layout
{
    QSize control; // the control's size after the layout rules
    QPointF thumb; // the thumb's top-left
    QRect groove;  // the drawn groove (Windows rectangle in a QRect)
};

Layout layout(const LayoutInput& in);

// Where the groove-less rail picture is painted.
QPoint railPicturePosition(int orientation, QSize control, QSize railPicture);

// The thumb box: each coordinate taken as the nearest integer.
QRect thumbRect(QPointF thumb, QSize thumbSize);

// The tip window's top-left on the screen: centred 5 pixels above a horizontal
// thumb, or 6 pixels left of a vertical one and centred beside it.
QPoint tipPosition(int orientation, QPoint controlTopLeft, QPointF thumb, QSize thumbSize,
                   QSize label);

} // namespace SliderGeometry
