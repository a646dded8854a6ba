#include "common/ModuleError.h"

#include "common/modGlobal.h"
#include "platform/MessageBox.h"

namespace ModuleError {

QString text(const QString& module, const QString& operation, int number,
             const QString& description)
{
    return QStringLiteral("Module: ") + module + u'.' + operation + u'\r' +
           QStringLiteral("Error no.: ") + QString::number(number) + u'\r' +
           QStringLiteral("Error desc.: ") + description;
}

bool report(const QString& module, const QString& operation, int number, const QString& description)
{
    if (!modGlobal::ShowErrorsFlag)
        return false;
    MessageBox::Request request;
    // A lone CR does not break a line in a Qt label; show each part on its own line.
    request.text = text(module, operation, number, description).replace(u'\r', u'\n');
    request.icon = QMessageBox::Critical;
    request.buttons = QMessageBox::Ok;
    MessageBox::show(request);
    return true;
}

} // namespace ModuleError
