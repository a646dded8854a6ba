// Message boxes. Every box of the program goes through here, so tests can answer
// them without a modal loop (setHandler) and check what was asked.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace MessageBox {

struct Request
{
    QWidget* owner = nullptr;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using Handler = std::function<QMessageBox::StandardButton(const Request&)>;

// Shows the box (or hands it to the installed handler) and returns the answer.
// An empty title means the application's title.
QMessageBox::StandardButton show(const Request& request);

// Installs a handler that answers every box instead of the user; an empty one
// restores the real boxes. Returns the previous handler.
Handler setHandler(Handler handler);

// Makes the station list module's error reports (ModuleError) OK-only boxes with
// the application's title.
void presentModuleErrors();

} // namespace MessageBox
