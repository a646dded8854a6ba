#include "common/ModuleError.h"

#include "common/Logging.h"
#include "common/modGlobal.h"

#include <utility>

namespace ModuleError {

namespace {

Presenter& presenter()
{
    static Presenter current;
    return current;
}

} // namespace

QString text(const QString& module, const QString& operation, int number,
             const QString& description)
{
    return QStringLiteral("Module: ") + module + u'.' + operation + u'\r' +
           QStringLiteral("Error no.: ") + QString::number(number) + u'\r' +
           QStringLiteral("Error desc.: ") + description;
}

bool report(const QString& module, const QString& operation, int number, const QString& description)
{
    const QString message = text(module, operation, number, description);
    qCWarning(lcCommon).noquote() << QString(message).replace(u'\r', u' ');
    if (!modGlobal::ShowErrorsFlag || !presenter())
        return false;
    presenter()(message);
    return true;
}

Presenter setPresenter(Presenter next)
{
    return std::exchange(presenter(), std::move(next));
}

} // namespace ModuleError
