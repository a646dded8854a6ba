// The folder dialog of the shared helpers (modGlobal), kept with the other
// widget stand-ins so that the shared state needs no widgets.
#pragma once

#include <QString>

class QWidget;

namespace modGlobal {

// The folder dialog titled "Vyberte adresář"; empty text when cancelled.
QString BrowseForFolder(QWidget* owner);

} // namespace modGlobal
