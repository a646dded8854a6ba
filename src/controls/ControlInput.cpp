#include "controls/ControlInput.h"

#include "platform/CursorProbe.h"
#include "platform/Twips.h"
#include "platform/VirtualKeys.h"

#include <QCursor>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QWidget>

namespace ControlInput {

short button(Qt::MouseButton b)
{
    return short(VirtualKeys::buttonMask(b));
}

short buttons(Qt::MouseButtons bs)
{
    return short(VirtualKeys::buttonMask(bs));
}

short shiftState(Qt::KeyboardModifiers modifiers)
{
    return short(VirtualKeys::shiftMask(modifiers));
}

bool isLateMove(const QWidget* widget, const QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton)
        return false; // a drag holds the grab; its moves are never late
    // The edges count as inside, as for the hover timers.
    return !widget->rect().adjusted(0, 0, 1, 1).contains(CursorProbe::posIn(widget));
}

short keyCode(const QKeyEvent* event)
{
    return short(VirtualKeys::fromKeyEvent(*event));
}

float twips(double pixels)
{
    return float(pixels * Twips::PerPixel);
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
