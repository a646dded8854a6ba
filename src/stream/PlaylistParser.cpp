#include "stream/PlaylistParser.h"

#include <QMap>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

QString decodeText(const QByteArray& data)
{
    QByteArray bytes = data;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // Playlists are UTF-8 or, from old servers, Latin-1; addresses are ASCII either way.
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : utf8;
}

QStringList parsePls(const QStringList& lines)
{
    static const QRegularExpression fileRe(QStringLiteral("^\\s*file(\\d+)\\s*=\\s*(.*)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    QMap<int, QString> byNumber;
    for (const QString& line : lines) {
        const auto m = fileRe.match(line);
        if (m.hasMatch() && !byNumber.contains(m.captured(1).toInt()))
            byNumber.insert(m.captured(1).toInt(), m.captured(2).trimmed());
    }
    return byNumber.values();
}

QStringList parseM3u(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith(QLatin1Char('#')))
            out << t;
    }
    return out;
}

// ASX files in the wild are rarely well-formed XML (mixed case, bare ampersands),
// so their references are picked out by pattern.
QStringList parseAsx(const QString& text)
{
    static const QRegularExpression refRe(
        QStringLiteral("<(?:ref|entryref)\\s[^>]*?href\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (auto it = refRe.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out << (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1))
                   .trimmed()
                   .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    }
    return out;
}

QStringList parseXspf(const QString& text)
{
    QStringList out;
    QXmlStreamReader xml(text);
    bool inTrack = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("track"))
            inTrack = true;
        else if (xml.isEndElement() && xml.name() == QLatin1String("track"))
            inTrack = false;
        else if (inTrack && xml.isStartElement() && xml.name() == QLatin1String("location"))
            out << xml.readElementText().trimmed();
    }
    return out;
}

} // namespace

PlaylistParser::Result PlaylistParser::parse(const QByteArray& data, const QString& baseUri)
{
    Result result;
    const QString text = decodeText(data.left(MaxSize));
    const QString head = text.left(512).trimmed().toLower();
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));

    QStringList raw;
    if (head.startsWith(QLatin1String("[playlist]"))) {
        raw = parsePls(lines);
    } else if (head.contains(QLatin1String("<asx"))) {
        raw = parseAsx(text);
    } else if (head.contains(QLatin1String("<playlist"))) {
        raw = parseXspf(text);
    } else {
        if (text.contains(QLatin1String("#EXT-X-"))) {
            result.hls = true;
            return result;
        }
        raw = parseM3u(lines);
    }

    const QUrl base(baseUri);
    for (const QString& entry : raw) {
        if (entry.isEmpty())
            continue;
        // Keep absolute addresses as written; resolve relative ones against the playlist.
        static const QRegularExpression absolute(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
        const QString resolved = absolute.match(entry).hasMatch() ||
                                         (entry.startsWith(QLatin1Char('/')) && base.isLocalFile())
                                     ? entry
                                     : base.resolved(QUrl(entry)).toString();
        // An entry that resolves to nothing (a malformed relative address) is none.
        if (!resolved.isEmpty() && !result.entries.contains(resolved))
            result.entries << resolved;
    }
    return result;
}
