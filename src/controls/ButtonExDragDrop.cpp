// ButtonEx as a drag source (OLEDrag) and as a drop target (OLEDropMode 1).
#include "controls/ButtonEx.h"
#include "controls/ControlError.h"

#include <QCursor>
#include <QDrag>
#include <QDropEvent>

using namespace OleDragDrop;

namespace {
constexpr int ManualDrop = 1;
}

void ButtonEx::setOLEDropMode(int v)
{
    m_oleDropMode = v;
    setAcceptDrops(v == ManualDrop);
}

void ButtonEx::OLEDrag()
{
    auto* data = new DelayedMimeData;
    QPointer<ButtonEx> self(this);
    data->setRenderer([self](DelayedMimeData* mime, short format) {
        if (!self)
            return;
        DataObject view(static_cast<QMimeData*>(mime));
        // A target reads the data from the platform's drag handling.
        ControlError::contain([&] {
            Q_EMIT self->OLESetData(&view, format);
            return true;
        });
    });
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(grab());
    drag->setHotSpot(mapFromGlobal(QCursor::pos())); // the picture moves with the cursor

    int allowed = EffectCopy | EffectMove;
    DataObject view(static_cast<QMimeData*>(data));
    Q_EMIT OLEStartDrag(&view, allowed);
    const Qt::DropActions allowedActions = OleDragDrop::actions(allowed);
    if (allowedActions == Qt::IgnoreAction) {
        delete drag;
        return;
    }
    connect(drag, &QDrag::actionChanged, this, [this](Qt::DropAction action) {
        bool defaultCursors = true;
        ControlError::contain([&] {
            Q_EMIT OLEGiveFeedback(effects(action), defaultCursors);
            return true;
        });
    });
    const Qt::DropAction taken = runDrag(drag, allowedActions);
    // The nested loop of the drag may have closed the button's window.
    if (!self)
        return;
    drag->deleteLater();
    Q_EMIT OLECompleteDrag(effects(taken));
}

Qt::DropAction ButtonEx::dragOver(const QDropEvent& event, short state)
{
    m_dragData = event.mimeData();
    m_dragPointer = pointerOf(event);
    int effect = effects(event.possibleActions());
    DataObject view(event.mimeData());
    const Pointer& p = m_dragPointer;
    Q_EMIT OLEDragOver(&view, effect, p.button, p.shift, p.x, p.y, state);
    return chooseAction(effect, event.proposedAction(), event.possibleActions());
}

void ButtonEx::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_oleDropMode != ManualDrop) {
        event->ignore();
        return;
    }
    // Taken even when refused here, so that the moves (which may allow the
    // drop elsewhere on the button) and the leaving still arrive.
    event->setDropAction(dragOver(*event, Enter));
    event->accept();
}

void ButtonEx::dragMoveEvent(QDragMoveEvent* event)
{
    if (m_oleDropMode != ManualDrop) {
        event->ignore();
        return;
    }
    const Qt::DropAction action = dragOver(*event, Over);
    event->setDropAction(action);
    event->setAccepted(action != Qt::IgnoreAction);
}

void ButtonEx::dragLeaveEvent(QDragLeaveEvent*)
{
    if (m_oleDropMode != ManualDrop)
        return;
    QMimeData none;
    DataObject view(m_dragData ? m_dragData.data() : &none);
    int effect = EffectNone;
    const Pointer& p = m_dragPointer;
    Q_EMIT OLEDragOver(&view, effect, p.button, p.shift, p.x, p.y, Leave);
    m_dragData = nullptr;
}

void ButtonEx::dropEvent(QDropEvent* event)
{
    if (m_oleDropMode != ManualDrop) {
        event->ignore();
        return;
    }
    m_dragData = nullptr;
    int effect = effects(event->possibleActions());
    DataObject view(event->mimeData());
    const Pointer p = pointerOf(*event);
    Q_EMIT OLEDragDrop(&view, effect, p.button, p.shift, p.x, p.y);
    const Qt::DropAction action =
        chooseAction(effect, event->proposedAction(), event->possibleActions());
    event->setDropAction(action);
    event->setAccepted(action != Qt::IgnoreAction);
}
