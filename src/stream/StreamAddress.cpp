#include "stream/StreamAddress.h"

#include <QDir>
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

StreamAddress invalid(const QString& text)
{
    StreamAddress a;
    a.kind = StreamAddress::Invalid;
    a.host = text;
    return a;
}

// A file to play: never a folder, and never the root a garbled address
// ("file://:///") reduces to.
StreamAddress fileAddress(const QString& path)
{
    // Made absolute by hand: Qt would take a path starting with ":" for a resource.
    const QString absolute =
        QDir::cleanPath(path.startsWith(u'/') ? path : QDir::currentPath() + u'/' + path);
    if (path.isEmpty() || QFileInfo(absolute).isDir())
        return invalid(path);
    StreamAddress a;
    a.kind = StreamAddress::File;
    a.scheme = QStringLiteral("file");
    a.uri = QString::fromLatin1(QUrl::fromLocalFile(absolute).toEncoded(QUrl::FullyEncoded));
    // Qt encodes some characters (the noncharacter U+7FFFF, say) into bytes
    // that name another file; such a path cannot be played, so it is refused.
    if (QUrl(a.uri).toLocalFile() != absolute)
        return invalid(path);
    a.host = QFileInfo(absolute).fileName();
    a.playlistName = hasPlaylistExtension(absolute);
    return a;
}

// Control characters and broken UTF-16 belong in no address.
bool wellFormed(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            return false;
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (QChar::isSurrogate(u))
            return false;
    }
    return true;
}

StreamAddress parseUrl(const QString& t, const QString& scheme)
{
    StreamAddress a;
    a.scheme = scheme;
    // Local file addresses are often written with blanks and national characters.
    const bool file = scheme == QLatin1String("file");
    const QUrl url(t, file ? QUrl::TolerantMode : QUrl::StrictMode);
    if (file) {
        // Only this machine's files: no host, or "localhost".
        if (!url.isValid() || (!url.host().isEmpty() && url.host() != QLatin1String("localhost")))
            return invalid(t);
        return fileAddress(url.path(QUrl::FullyDecoded));
    }
    if (!isNetworkScheme(scheme)) {
        a.kind = StreamAddress::RefusedScheme;
        return a;
    }
    if (!url.isValid() || url.host().isEmpty() ||
        t.contains(QRegularExpression(QStringLiteral("\\s"))))
        return invalid(t);
    a.kind = StreamAddress::Network;
    a.host = url.host();
    a.port = url.port(defaultPort(scheme));
    if (a.port == 0) // no server listens there
        return invalid(t);
    a.playlistName = hasPlaylistExtension(url.path());
    a.uri = QString::fromLatin1(url.toEncoded(QUrl::FullyEncoded));
    return a;
}

} // namespace

StreamAddress StreamAddress::parse(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    if (!wellFormed(t))
        return invalid(t);

    // A scheme is letters before "://" or before ":" not followed by a port number,
    // so "radio.example.com:8000/live" is a host with a port, not a scheme.
    static const QRegularExpression schemeRe(
        QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?!\\d+(/|$))"));
    const auto m = schemeRe.match(t);
    const bool driveLetter =
        QRegularExpression(QStringLiteral("^[A-Za-z]:[\\\\/]")).match(t).hasMatch();
    if (m.hasMatch() && !driveLetter)
        return parseUrl(t, m.captured(1).toLower());
    const QFileInfo info(t);
    if (t.startsWith(QLatin1Char('/')) || driveLetter || (info.exists() && info.isFile()))
        return info.isFile() ? fileAddress(t) : invalid(t);
    return parseUrl(QStringLiteral("http://") + t, QStringLiteral("http"));
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
