// The main window's image lists, drawn for this program (src/resources/images).
// Lists are counted from 1 where the window refers to an image by number.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>

namespace PlayerImages {

// 16 frames of the radio icon; frame 1 is the resting icon.
const QList<QIcon>& imglAnim();
// Station rows: 1 idle, 2 shown (unused by the main window), 3 playing, 4 busy.
const QList<QIcon>& imglStations();
// "icon" panel: 1 idle, 2 busy, 3 playing.
const QList<QIcon>& imglStatusIcon();
// "proxy" panel: 1 off, 2 on.
const QList<QIcon>& imglProxy();
// A toolbar picture by button key ("tb_play").
QIcon imglToolBar(const QString& key);

// Image `number` (from 1) of a list; a null icon when out of range.
QIcon image(const QList<QIcon>& list, int number);

} // namespace PlayerImages
