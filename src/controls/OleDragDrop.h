// Drag and drop in the numbers the controls' hosts know, over Qt's QDrag and
// drop events.
//
// Effects are bit masks: 0 none, 1 copy, 2 move, 4 link (the same bits as
// Qt::DropAction). A drag-over event carries a state: 0 entering, 1 leaving,
// 2 moving over.
//
// Starting a drag runs a nested event loop until the drop (QDrag::exec); the
// runner can be replaced so that tests drive the drag without that loop.
#pragma once

#include <Qt>

#include <functional>

class QDrag;
class QDropEvent;

namespace OleDragDrop {

enum Effect : int
{
    EffectNone = 0,
    EffectCopy = 1,
    EffectMove = 2,
    EffectLink = 4
};

enum DragState : short
{
    Enter = 0,
    Leave = 1,
    Over = 2
};

int effects(Qt::DropActions actions);
Qt::DropActions actions(int effects);
// The one action a target's answer allows: the proposed action when the answer
// and the source allow it, else copy, move, link in that order; IgnoreAction
// when the answer leaves nothing the source allows.
Qt::DropAction chooseAction(int answer, Qt::DropAction proposed, Qt::DropActions possible);

// The mouse and keys of a drag event, as the drag-over and drop events pass them.
struct Pointer
{
    short button = 0;
    short shift = 0;
    float x = 0;
    float y = 0;
};
Pointer pointerOf(const QDropEvent& event);

// Runs a drag with the allowed actions and returns the action taken.
using DragRunner = std::function<Qt::DropAction(QDrag* drag, Qt::DropActions allowed)>;
Qt::DropAction runDrag(QDrag* drag, Qt::DropActions allowed);
// Replaces the runner (an empty one restores QDrag::exec); returns the old one.
DragRunner setDragRunner(DragRunner runner);

} // namespace OleDragDrop
