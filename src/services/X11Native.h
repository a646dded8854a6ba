// The few X11 facts the window services need, read over Qt's own xcb connection.
// Every function answers "nothing" (false, 0) when the program does not run on X11.
#pragma once

#include <QString>

namespace X11Native {

bool available();

// The owner window of _NET_SYSTEM_TRAY_S<screen>, the system tray's manager; 0 for none.
quint32 systemTrayOwner();

// The system tray's manager as "owner/generation": the generation grows each time
// a manager takes the selection or its window goes away, so a new manager that
// happens to reuse the old window id is still a new one. Empty when there is none.
QString systemTrayHost();

// True while any mouse button is held down (a window manager drag is running).
bool pointerButtonsDown();

// Sets the "initial state" of the window's WM_HINTS to normal. Qt un-minimises a
// window that was withdrawn while minimised by mapping it before it resets that
// hint, so a window manager may read "iconic" and minimise the window again.
void setNormalInitialState(quintptr window);

// The screen number of the DISPLAY the program uses ("host:0.1" gives 1).
int screenNumber(const QByteArray& display);

} // namespace X11Native
