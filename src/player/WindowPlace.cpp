#include "player/WindowPlace.h"

namespace WindowPlace {

QRectF Apply(const PlayerSettings::Place& stored, const QRectF& designed)
{
    return QRectF(stored.left.value_or(designed.left()), stored.top.value_or(designed.top()),
                  stored.width.value_or(designed.width()),
                  stored.height.value_or(designed.height()));
}

QRectF KeepOnScreen(const QRectF& window, const QRectF& screen)
{
    QRectF placed = window;
    if (placed.left() < screen.left())
        placed.moveLeft(screen.left());
    if (placed.top() < screen.top())
        placed.moveTop(screen.top());
    if (placed.left() > screen.right() - placed.width())
        placed.moveLeft(screen.right() - placed.width());
    if (placed.top() > screen.bottom() - placed.height())
        placed.moveTop(screen.bottom() - placed.height());
    return placed;
}

} // namespace WindowPlace
