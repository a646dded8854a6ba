#include "stream/StreamAddress.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {

bool isNetworkScheme(const QString& scheme)
{
    static const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("rtsp"), QStringLiteral("mms"),
                                        QStringLiteral("mmsh")};
    return schemes.contains(scheme);
}

int defaultPort(const QString& scheme)
{
    if (scheme == QLatin1String("https"))
        return 443;
    if (scheme == QLatin1String("rtsp"))
        return 554;
    if (scheme == QLatin1String("mms"))
        return 1755;
    return 80;
}

bool hasPlaylistExtension(const QString& path)
{
    static const QRegularExpression ext(QStringLiteral("\\.(pls|m3u|asx|xspf|wax|wvx)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    return ext.match(path).hasMatch();
}

StreamAddress fileAddress(const QString& path)
{
    StreamAddress a;
    a.kind = StreamAddress::File;
    a.scheme = QStringLiteral("file");
    a.uri = QString::fromLatin1(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded(QUrl::FullyEncoded));
    a.host = QFileInfo(path).fileName();
    a.playlistName = hasPlaylistExtension(path);
    return a;
}

} // namespace

StreamAddress StreamAddress::parse(const QString& text)
{
    const QString t = text.trimmed();
    StreamAddress a;
    if (t.isEmpty())
        return a;

    // A scheme is letters before "://" or before ":" not followed by a port number,
    // so "radio.example.com:8000/live" is a host with a port, not a scheme.
    static const QRegularExpression schemeRe(
        QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?!\\d+(/|$))"));
    const auto m = schemeRe.match(t);
    const bool driveLetter =
        QRegularExpression(QStringLiteral("^[A-Za-z]:[\\\\/]")).match(t).hasMatch();
    if (!m.hasMatch() || driveLetter) {
        const QFileInfo info(t);
        if (t.startsWith(QLatin1Char('/')) || driveLetter || (info.exists() && info.isFile())) {
            if (!info.isFile()) {
                a.kind = Invalid;
                a.host = t;
                return a;
            }
            return fileAddress(t);
        }
        return parse(QStringLiteral("http://") + t);
    }

    a.scheme = m.captured(1).toLower();
    // Local file addresses are often written with blanks and national characters.
    const QUrl url(t, a.scheme == QLatin1String("file") ? QUrl::TolerantMode : QUrl::StrictMode);
    if (a.scheme == QLatin1String("file")) {
        if (!url.isValid() || !url.isLocalFile() || url.toLocalFile().isEmpty()) {
            a.kind = Invalid;
            return a;
        }
        return fileAddress(url.toLocalFile());
    }
    if (!isNetworkScheme(a.scheme)) {
        a.kind = RefusedScheme;
        return a;
    }
    if (!url.isValid() || url.host().isEmpty() ||
        t.contains(QRegularExpression(QStringLiteral("\\s")))) {
        a.kind = Invalid;
        return a;
    }
    a.kind = Network;
    a.host = url.host();
    a.port = url.port(defaultPort(a.scheme));
    a.playlistName = hasPlaylistExtension(url.path());
    a.uri = QString::fromLatin1(url.toEncoded(QUrl::FullyEncoded));
    return a;
}

bool StreamAddress::isPlaylistContentType(const QString& contentType)
{
    static const QStringList types = {QStringLiteral("audio/x-scpls"),
                                      QStringLiteral("audio/scpls"),
                                      QStringLiteral("application/pls+xml"),
                                      QStringLiteral("audio/x-mpegurl"),
                                      QStringLiteral("audio/mpegurl"),
                                      QStringLiteral("application/x-mpegurl"),
                                      QStringLiteral("application/vnd.apple.mpegurl"),
                                      QStringLiteral("video/x-ms-asx"),
                                      QStringLiteral("video/x-ms-wvx"),
                                      QStringLiteral("audio/x-ms-wax"),
                                      QStringLiteral("application/xspf+xml")};
    const QString type = contentType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    return types.contains(type);
}
