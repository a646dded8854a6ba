#include "controls/OleDragDrop.h"

#include "controls/ControlInput.h"

#include <QDrag>
#include <QDropEvent>

namespace OleDragDrop {

namespace {

constexpr int AllEffects = EffectCopy | EffectMove | EffectLink;

DragRunner& currentRunner()
{
    static DragRunner runner;
    return runner;
}

} // namespace

int effects(Qt::DropActions actions)
{
    return int(actions.toInt()) & AllEffects;
}

Qt::DropActions actions(int effects)
{
    return Qt::DropActions::fromInt(effects & AllEffects);
}

Qt::DropAction chooseAction(int answer, Qt::DropAction proposed, Qt::DropActions possible)
{
    const Qt::DropActions allowed = actions(answer) & possible;
    if (allowed.testFlag(proposed) && proposed != Qt::IgnoreAction)
        return proposed;
    for (Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction}) {
        if (allowed.testFlag(action))
            return action;
    }
    return Qt::IgnoreAction;
}

Pointer pointerOf(const QDropEvent& event)
{
    const QPointF p = event.position();
    return {ControlInput::buttons(event.buttons()), ControlInput::shiftState(event.modifiers()),
            ControlInput::twips(p.x()), ControlInput::twips(p.y())};
}

Qt::DropAction runDrag(QDrag* drag, Qt::DropActions allowed)
{
    if (const DragRunner& runner = currentRunner())
        return runner(drag, allowed);
    return drag->exec(allowed);
}

DragRunner setDragRunner(DragRunner runner)
{
    DragRunner old = std::move(currentRunner());
    currentRunner() = std::move(runner);
    return old;
}

} // namespace OleDragDrop
