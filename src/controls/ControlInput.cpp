#include "controls/ControlInput.h"

#include <QCursor>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace ControlInput {

short button(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

short buttons(Qt::MouseButtons bs)
{
    short mask = 0;
    if (bs & Qt::LeftButton)
        mask |= LeftButton;
    if (bs & Qt::RightButton)
        mask |= RightButton;
    if (bs & Qt::MiddleButton)
        mask |= MiddleButton;
    return mask;
}

short shiftState(Qt::KeyboardModifiers modifiers)
{
    short mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= 1;
    if (modifiers & Qt::ControlModifier)
        mask |= 2;
    if (modifiers & Qt::AltModifier)
        mask |= 4;
    return mask;
}

short keyCode(const QKeyEvent* event)
{
    const int key = event->key();
    // Space, digits and letters share their codes with ASCII upper case.
    if (key == Qt::Key_Space || (key >= Qt::Key_0 && key <= Qt::Key_9) ||
        (key >= Qt::Key_A && key <= Qt::Key_Z))
        return short(key);
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
            return short(112 + key - Qt::Key_F1);
        return 0;
    }
}

short keyAscii(const QKeyEvent* event)
{
    const QString text = event->text();
    return text.isEmpty() ? short(0) : short(text.at(0).unicode());
}

int replaceAccessKey(QWidget* widget, int oldId, std::optional<QChar> key)
{
    if (oldId)
        widget->releaseShortcut(oldId);
    if (!key)
        return 0;
    return widget->grabShortcut(
        QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key->toUpper().unicode()))));
}

void applyMousePointer(QWidget* widget, int pointer, const QPixmap& icon)
{
    switch (pointer) {
    case 1:
        widget->setCursor(Qt::ArrowCursor);
        break;
    case 2:
        widget->setCursor(Qt::CrossCursor);
        break;
    case 3:
        widget->setCursor(Qt::IBeamCursor);
        break;
    case 11:
        widget->setCursor(Qt::WaitCursor);
        break;
    case 12:
        widget->setCursor(Qt::ForbiddenCursor);
        break;
    case 13:
        widget->setCursor(Qt::BusyCursor);
        break;
    case 99:
        if (!icon.isNull()) {
            widget->setCursor(QCursor(icon));
            break;
        }
        [[fallthrough]];
    default:
        widget->unsetCursor();
        break;
    }
}

} // namespace ControlInput
