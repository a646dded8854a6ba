#include "stream/StreamError.h"

#include <QRegularExpression>

bool StreamError::transient() const
{
    switch (kind) {
    case HostNotFound:
    case ConnectionRefused:
    case Timeout:
    case ConnectionLost:
    case Starved:
    case BadResponse:
        return true;
    case HttpStatus:
        // A restarting server answers 404 for its mount or 5xx for a moment.
        return httpStatus == 404 || httpStatus >= 500;
    default:
        return false;
    }
}

namespace {

QString httpReason(int status)
{
    switch (status) {
    case 400:
        return QStringLiteral("chybný požadavek");
    case 401:
        return QStringLiteral("vyžaduje přihlášení");
    case 403:
        return QStringLiteral("přístup odepřen");
    case 404:
        return QStringLiteral("stream nebyl nalezen");
    case 503:
        return QStringLiteral("server je přetížen");
    default:
        return status >= 500 ? QStringLiteral("chyba serveru") : QString();
    }
}

} // namespace

QString StreamError::text() const
{
    switch (kind) {
    case None:
        return {};
    case InvalidAddress:
        return QStringLiteral("Chyba: neplatná adresa stanice");
    case RefusedScheme:
        return QStringLiteral("Chyba: adresy typu \"%1:\" nelze přehrát").arg(detail);
    case HostNotFound:
        return QStringLiteral("Chyba: server %1 nebyl nalezen").arg(host);
    case ConnectionRefused:
        return QStringLiteral("Chyba: server %1 odmítl spojení").arg(host);
    case HttpStatus: {
        const QString reason = httpReason(httpStatus);
        return reason.isEmpty() ? QStringLiteral("Chyba: server vrátil HTTP %1").arg(httpStatus)
                                : QStringLiteral("Chyba: server vrátil HTTP %1 (%2)")
                                      .arg(httpStatus)
                                      .arg(reason);
    }
    case Timeout:
        return QStringLiteral("Chyba: server %1 neodpovídá (vypršel časový limit)").arg(host);
    case ConnectionLost:
        return QStringLiteral("Chyba: spojení se serverem %1 bylo přerušeno").arg(host);
    case Starved:
        return QStringLiteral("Chyba: server %1 neposílá data dost rychle").arg(host);
    case BadResponse:
        return QStringLiteral("Chyba: server %1 neposlal platnou odpověď").arg(host);
    case NotAudio:
        return QStringLiteral("Chyba: adresa nevede na zvukový stream");
    case UnsupportedFormat:
        return detail.isEmpty()
                   ? QStringLiteral("Chyba: nepodporovaný formát zvuku")
                   : QStringLiteral("Chyba: nepodporovaný formát zvuku (chybí %1)").arg(detail);
    case UnsupportedProtocol:
        return detail.isEmpty()
                   ? QStringLiteral("Chyba: nepodporovaný protokol")
                   : QStringLiteral("Chyba: nepodporovaný protokol (chybí %1)").arg(detail);
    case NoAudioOutput:
        return QStringLiteral("Chyba: není k dispozici žádný zvukový výstup");
    case FileNotFound:
        return QStringLiteral("Chyba: soubor %1 nelze otevřít").arg(host);
    case EmptyPlaylist:
        return QStringLiteral("Chyba: seznam skladeb neobsahuje žádnou použitelnou adresu");
    case PlaylistTooLarge:
        return QStringLiteral("Chyba: seznam skladeb je příliš velký");
    case Other:
        return QStringLiteral("Chyba přehrávání: %1").arg(detail);
    }
    return {};
}

int StreamError::httpStatusFromDebug(const QString& debug)
{
    static const QRegularExpression re(QStringLiteral("\\(([1-5]\\d\\d)\\), URL:"));
    const auto m = re.match(debug);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

StreamError StreamError::make(Kind kind, const QString& host, const QString& detail)
{
    StreamError e;
    e.kind = kind;
    e.host = host;
    e.detail = detail;
    return e;
}
