// Works a modal dialog in-process the way a user meets it: something opens it
// (a key, a menu item), the test acts inside the dialog's own modal loop once
// it is active, and the dialog is rejected afterwards if it is still open.
// Header only: the tests using it link the widgets already.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace ModalDialog {

// True when a dialog opened and `act` closed it.
inline bool run(const std::function<void()>& open, const std::function<void(QDialog&)>& act)
{
    bool closed = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !QTest::qWaitForWindowActive(dialog))
            return;
        act(*dialog);
        closed = !dialog->isVisible();
        dialog->reject();
    });
    open();
    return closed;
}

} // namespace ModalDialog
