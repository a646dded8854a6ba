// Mouse and keyboard arguments of the controls' events, in the numbers hosts
// know: buttons left 1, right 2, middle 4; shift state Shift 1, Ctrl 2, Alt 4;
// coordinates in twips; key codes as Windows virtual keys; and the
// mouse-pointer codes.
#pragma once

#include "platform/VirtualKeys.h"

#include <QChar>
#include <QPixmap>
#include <Qt>

#include <optional>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace ControlInput {

enum Button : short
{
    LeftButton = VirtualKeys::LeftButtonMask,
    RightButton = VirtualKeys::RightButtonMask,
    MiddleButton = VirtualKeys::MiddleButtonMask
};

// Thin wrappers over VirtualKeys, in the short the controls' events carry.
short button(Qt::MouseButton button);
short buttons(Qt::MouseButtons buttons);
short shiftState(Qt::KeyboardModifiers modifiers);
short keyCode(const QKeyEvent* event);
// A mouse coordinate in twips, as the controls' mouse events carry it.
float twips(double pixels);
// The character a key press types (KeyPress's KeyAscii), 0 for none.
short keyAscii(const QKeyEvent* event);

// True for a move without buttons that arrives after the cursor has already
// left the widget. On X11 motion events are queued while the hover timers ask
// the server for the live position, so a late move must not start hover
// tracking again (it would raise a second enter and exit).
bool isLateMove(const QWidget* widget, const QMouseEvent* event);

// Makes Alt + key the widget's access key in place of the shortcut `oldId`
// (none without a key); returns the new shortcut id (0 for none). The widget
// receives QEvent::Shortcut when it is pressed.
int replaceAccessKey(QWidget* widget, int oldId, std::optional<QChar> key);

// Mouse pointer codes: 0 default, 1 arrow, 2 cross, 3 I-beam, 11 hourglass,
// 12 no drop, 13 arrow and hourglass, 99 custom (the icon); others the default.
void applyMousePointer(QWidget* widget, int pointer, const QPixmap& icon);

} // namespace ControlInput
