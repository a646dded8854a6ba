// The folder dialog of the shared helpers (modGlobal), kept with the other
// widget stand-ins so that the shared state needs no widgets.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace modGlobal {

// The folder dialog titled "Vyberte adresář"; empty text when cancelled.
QString BrowseForFolder(QWidget* owner);

// Answers BrowseForFolder instead of the dialog while set (tests: no modal loop).
// Returns the previous handler; an empty one restores the dialog.
using BrowseHandler = std::function<QString(QWidget* owner)>;
BrowseHandler setBrowseHandler(BrowseHandler handler);

} // namespace modGlobal
