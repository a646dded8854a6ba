#include "platform/CursorProbe.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace CursorProbe {

QPoint globalPos()
{
    return QCursor::pos();
}

QPoint posIn(const QWidget* widget)
{
    return widget->mapFromGlobal(globalPos());
}

QWidget* widgetUnderCursor()
{
    return QApplication::widgetAt(globalPos());
}

} // namespace CursorProbe
