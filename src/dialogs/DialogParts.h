// Pieces every dialog builds itself from, so that the dialogs look and behave
// alike: the single instance of the program's façade, the picture-free push
// buttons and the named labels.
#pragma once

#include "dialogs/DialogHost.h"

#include <QPointer>
#include <QString>

class ButtonEx;
class QLabel;
class QWidget;

namespace DialogParts {

// The one instance of dialog D, made by `make` on first use as a child of the
// main window, so that it lives and dies with it (without a main window, in a
// test of the dialog alone, it has no owner). A closed dialog that deleted
// itself is made anew on the next use.
template <class D> D& single(D* (*make)(QWidget* parent))
{
    static QPointer<D> dialog;
    if (!dialog) {
        DialogHost* host = DialogHost::current();
        dialog = make(host ? host->dialogParent() : nullptr);
    }
    return *dialog;
}

// A ButtonEx of its own fixed size (the control has no size hint); its caption
// names it for screen readers.
ButtonEx* button(QWidget* parent, const char* name, const QString& caption);

// A label, the buddy's caption for screen readers and its access key.
QLabel* label(QWidget* parent, const char* name, const QString& text = {},
              QWidget* buddy = nullptr);

} // namespace DialogParts
