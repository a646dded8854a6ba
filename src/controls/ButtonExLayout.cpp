#include "controls/ButtonExLayout.h"

#include "controls/Rounding.h"
#include "platform/GdiEdge.h"
#include "platform/GdiText.h"

#include <algorithm>

using Rounding::halve;

namespace ButtonExLayout {

std::optional<QChar> accessKey(const QString& caption)
{
    return Gdi::underlinedCharacter(caption);
}

Edges edgesFor(int borderStyle)
{
    switch (borderStyle) {
    case 2:
        return {Gdi::EDGE_BUMP, Gdi::EDGE_ETCHED};
    case 3:
    case 4:
        return {Gdi::BDR_RAISEDINNER, Gdi::BDR_SUNKENOUTER};
    default:
        return {Gdi::EDGE_RAISED, Gdi::EDGE_SUNKEN};
    }
}

int resolveState(int requested, int style, int value)
{
    if (style != 1)
        return requested;
    if (value == 0)
        return Down;
    return requested == Over ? Over : Up;
}

int skinState(int state, bool enabled, bool focusedOrDefault)
{
    if (!enabled)
        return Disabled;
    if (focusedOrDefault && state == Up)
        return Focus;
    return state;
}

QPoint picturePosition(int appearance, QSize button, QSize picture, bool pressed, QPoint offset)
{
    const int margin = appearance == 2 ? 0 : 6;
    int x = margin;
    int y = std::max(halve(button.height()) - halve(picture.height()), margin);
    if (pressed) {
        ++x;
        ++y;
    }
    return QPoint(x, y) + offset;
}

QPoint captionPosition(QSize button, QSize text, int pictureRight, bool pressed, QPoint offset)
{
    int x = pictureRight >= 0 ? halve(button.width() + pictureRight) - halve(text.width())
                              : halve(button.width()) - halve(text.width());
    int y = halve(button.height()) - halve(text.height()) - 1;
    if (pressed) {
        ++x;
        ++y;
    }
    return QPoint(x + offset.x(), y + offset.y() + 1);
}

} // namespace ButtonExLayout
