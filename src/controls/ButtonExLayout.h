// ButtonEx's arithmetic and tables, without a widget: states, edges, the access
// key, and where the picture and the caption go.
#pragma once

#include <QChar>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace ButtonExLayout {

// The visual states.
enum State
{
    Down = 0,
    Up = 1,
    Over = 2,
    Disabled = 3,
    Focus = 4
};

// The access key of a caption: the character after the first "&" that is not
// part of a "&&" pair (the one Gdi::parsePrefixText underlines); none without
// such a marker.
std::optional<QChar> accessKey(const QString& caption);

struct Edges
{
    uint raised; // up and over
    uint sunken; // down
};
// The standard look's edges for a BorderStyle.
Edges edgesFor(int borderStyle);

// The state actually drawn when `requested` is asked for: a toggle (Style 1)
// that is in (Value 0) is always down, otherwise anything but over is up.
int resolveState(int requested, int style, int value);

// The skin shown for a state: disabled buttons show the disabled skin, an up
// button with the focus or the default the focus skin.
int skinState(int state, bool enabled, bool focusedOrDefault);

// The picture's top-left: 6 pixels in (0 in the skinned appearance 2), centred
// vertically but not above that margin, one pixel down-right when pressed, then
// the offsets.
QPoint picturePosition(int appearance, QSize button, QSize picture, bool pressed, QPoint offset);

// The caption's top-left as drawn: centred in the space right of the picture
// (`pictureRight` < 0 when no picture is shown) or in the button, one pixel
// down-right when pressed, then the offsets, and one pixel lower.
QPoint captionPosition(QSize button, QSize text, int pictureRight, bool pressed, QPoint offset);

} // namespace ButtonExLayout
