// Mouse and keyboard arguments of the controls' events, in the numbers hosts
// know: buttons left 1, right 2, middle 4; shift state Shift 1, Ctrl 2, Alt 4;
// key codes as Windows virtual keys; and the mouse-pointer codes.
#pragma once

#include <QPixmap>
#include <Qt>

class QKeyEvent;
class QWidget;

namespace ControlInput {

enum Button : short
{
    LeftButton = 1,
    RightButton = 2,
    MiddleButton = 4
};

short button(Qt::MouseButton button);
short buttons(Qt::MouseButtons buttons);
short shiftState(Qt::KeyboardModifiers modifiers);
short keyCode(const QKeyEvent* event);
// The character a key press types (KeyPress's KeyAscii), 0 for none.
short keyAscii(const QKeyEvent* event);

// Mouse pointer codes: 0 default, 1 arrow, 2 cross, 3 I-beam, 11 hourglass,
// 12 no drop, 13 arrow and hourglass, 99 custom (the icon); others the default.
void applyMousePointer(QWidget* widget, int pointer, const QPixmap& icon);

} // namespace ControlInput
