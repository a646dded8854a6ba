// Where the main window opens: its designed place with the stored one applied,
// kept on the screen.
#pragma once

#include "settings/PlayerSettings.h"

#include <QRectF>

namespace WindowPlace {

// The designed place (twips) with the stored values applied, each on its own.
QRectF Apply(const PlayerSettings::Place& stored, const QRectF& designed);

// Pulls the window onto the screen, checking left, top, right, bottom in this
// order: a window wider than the screen ends with its left edge left of it.
QRectF KeepOnScreen(const QRectF& window, const QRectF& screen);

} // namespace WindowPlace
