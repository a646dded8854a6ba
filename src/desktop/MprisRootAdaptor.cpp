#include "desktop/MprisRootAdaptor.h"

#include "common/Version.h"
#include "desktop/MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), m_service(service)
{}

QString MprisRootAdaptor::Identity() const
{
    return QLatin1String(Version::ProductName);
}

QString MprisRootAdaptor::DesktopEntry() const
{
    return QStringLiteral("skytuner");
}

QStringList MprisRootAdaptor::SupportedUriSchemes() const
{
    // The schemes the player opens (StreamAddress).
    return {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("rtsp"),
            QStringLiteral("mms"),  QStringLiteral("mmsh"),  QStringLiteral("file")};
}

QStringList MprisRootAdaptor::SupportedMimeTypes() const
{
    // The formats radio stations send, and the playlists that point at them.
    return {QStringLiteral("audio/mpeg"),     QStringLiteral("audio/aac"),
            QStringLiteral("audio/ogg"),      QStringLiteral("audio/opus"),
            QStringLiteral("audio/x-ms-wma"), QStringLiteral("audio/x-mpegurl"),
            QStringLiteral("audio/x-scpls"),  QStringLiteral("application/vnd.apple.mpegurl"),
            QStringLiteral("video/x-ms-asf"), QStringLiteral("application/xspf+xml")};
}

void MprisRootAdaptor::Raise()
{
    m_service->Raise();
}

void MprisRootAdaptor::Quit()
{
    m_service->Quit();
}
