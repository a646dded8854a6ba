// Puts a top-level window into or out of the always-on-top band without moving,
// sizing or otherwise reordering it.
#pragma once

class QWidget;

// mode 0: out of the band; 1: into it; any other: raised within its band.
// True when the window system took the request.
bool SetWindowTopMost(int mode, QWidget* window);

// Whether the window is in the always-on-top band.
bool IsWindowTopMost(const QWidget* window);
