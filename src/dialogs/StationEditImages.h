// The station list editor's pictures: the rows' four icons and the toolbar,
// preview and visibility pictures, from the style and drawn here.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>

namespace StationEditImages {

// Rows: 1 hidden, 2 shown, 3 hidden and changed, 4 shown and changed.
const QList<QIcon>& imglIcons();
// "tb_exit", "tb_new", "tb_open", "tb_save", "tb_saveas", "tb_play", "tb_stop",
// "visible", "hiden".
QIcon picture(const QString& key);

} // namespace StationEditImages
