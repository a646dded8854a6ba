// Where the mouse is, for the controls' hover timers: the cursor position and the
// widget under it (what GetCursorPos and WindowFromPoint give on Windows).
#pragma once

#include <QPoint>

class QWidget;

namespace CursorProbe {

// The cursor in screen coordinates.
QPoint globalPos();

// The cursor in the widget's client coordinates.
QPoint posIn(const QWidget* widget);

// The innermost visible widget under the cursor, or null over no window of ours.
QWidget* widgetUnderCursor();

} // namespace CursorProbe
