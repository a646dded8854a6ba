// The few X11 facts the window services need, read over Qt's own xcb connection.
// Every function answers "nothing" (false, 0) when the program does not run on X11.
#pragma once

#include <QtGlobal>

namespace X11Native {

bool available();

// The owner window of _NET_SYSTEM_TRAY_S<screen>, the system tray's manager; 0 for none.
quint32 systemTrayOwner();

// True while any mouse button is held down (a window manager drag is running).
bool pointerButtonsDown();

// The screen number of the DISPLAY the program uses ("host:0.1" gives 1).
int screenNumber(const QByteArray& display);

} // namespace X11Native
