#include "platform/MessageBox.h"

#include "common/ModuleError.h"
#include "common/Version.h"

namespace {

MessageBox::Handler& installedHandler()
{
    static MessageBox::Handler handler;
    return handler;
}

} // namespace

namespace MessageBox {

QMessageBox::StandardButton show(const Request& request)
{
    Request filled = request;
    if (filled.title.isEmpty())
        filled.title = QLatin1String(Version::ProductName);
    if (const Handler& handler = installedHandler())
        return handler(filled);

    QMessageBox box(filled.icon, filled.title, filled.text, filled.buttons, filled.owner);
    if (filled.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(filled.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

Handler setHandler(Handler handler)
{
    Handler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}

void presentModuleErrors()
{
    ModuleError::setPresenter([](const QString& text) {
        Request request;
        // A lone CR does not break a line in a Qt label; show each part on its own line.
        request.text = QString(text).replace(u'\r', u'\n');
        request.icon = QMessageBox::Critical;
        request.buttons = QMessageBox::Ok;
        show(request);
    });
}

} // namespace MessageBox
