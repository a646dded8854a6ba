#include "platform/ShellOpen.h"

#include "common/Logging.h"

#include <QDesktopServices>
#include <QUrl>

namespace ShellOpen {

bool openAddress(const QString& address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return false;
    // A bare "www.example.cz" is a web address, a bare path a local file.
    const QUrl url = trimmed.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)
                         ? QUrl(trimmed)
                         : QUrl::fromUserInput(trimmed);
    if (!url.isValid())
        return false;
    const bool opened = QDesktopServices::openUrl(url);
    if (!opened)
        qCDebug(lcPlatform) << "no handler opened" << url;
    return opened;
}

} // namespace ShellOpen
