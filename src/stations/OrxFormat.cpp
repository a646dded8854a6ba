#include "stations/OrxFormat.h"

#include <optional>

namespace OrxFormat {

namespace {

struct ValueTag
{
    QLatin1String open;
    QLatin1String close;
};

// The value between a tag pair's first opening form and the first closing form
// after it; nothing when either is missing.
std::optional<QStringView> valueOf(QStringView record, const ValueTag& tag)
{
    const qsizetype open = indexOfTag(record, tag.open);
    if (open < 0)
        return std::nullopt;
    const qsizetype close = indexOfTag(record, tag.close, open);
    if (close < 0)
        return std::nullopt;
    const qsizetype start = open + tag.open.size();
    return record.mid(start, close - start);
}

// The simple upper case of a character; the ASCII ones without a table lookup.
char16_t upper(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'a' && u <= u'z' ? char16_t(u - 0x20) : u;
    return c.toUpper().unicode();
}

// A value as one field of one station line.
QString fieldText(const QString& value)
{
    QString field = value;
    field.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : field) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
        else if (c == u'|')
            c = u'_';
    }
    return field;
}

} // namespace

qsizetype indexOfTag(QStringView text, QLatin1String tag, qsizetype from)
{
    const qsizetype last = text.size() - tag.size();
    // Every tag starts with "<", which is nothing else's upper case.
    while (from >= 0 && from <= last) {
        const qsizetype at = text.indexOf(QLatin1Char(tag.at(0)), from);
        if (at < 0 || at > last)
            return -1;
        qsizetype i = 1;
        while (i < tag.size() && upper(text.at(at + i)) == tag.at(i).unicode())
            ++i;
        if (i == tag.size())
            return at;
        from = at + 1;
    }
    return -1;
}

QList<QStringView> records(QStringView text)
{
    QList<QStringView> found;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype open = indexOfTag(text, RecordOpen, from);
        if (open < 0)
            break;
        const qsizetype close = indexOfTag(text, RecordClose, open);
        if (close < 0)
            break;
        const qsizetype start = open + RecordOpen.size();
        found.append(text.mid(start, close - start));
        from = close;
    }
    return found;
}

void parseStation(QStringView record, Station& station)
{
    static const ValueTag name{QLatin1String("<STATIONNAME>"), QLatin1String("</STATIONNAME>")};
    static const ValueTag url{QLatin1String("<STATIONURL>"), QLatin1String("</STATIONURL>")};
    static const ValueTag colour{QLatin1String("<STATIONCOLOR>"), QLatin1String("</STATIONCOLOR>")};
    static const ValueTag visible{QLatin1String("<VISIBLE>"), QLatin1String("</VISIBLE>")};
    static const ValueTag bold{QLatin1String("<BOLD>"), QLatin1String("</BOLD>")};
    if (const auto v = valueOf(record, name))
        station.name = v->toString();
    if (const auto v = valueOf(record, url))
        station.url = v->toString();
    if (const auto v = valueOf(record, colour))
        station.colour = v->toString();
    if (const auto v = valueOf(record, visible))
        station.visible = *v == u"0" ? 0 : 1;
    if (const auto v = valueOf(record, bold))
        station.bold = *v == u"1" ? 1 : 0;
}

QString stationLine(const Station& station)
{
    return QLatin1String("[STATION:]") + fieldText(station.name) + u'|' + fieldText(station.url) +
           u'|' + fieldText(station.colour) + QLatin1String("|16777215|") +
           QString::number(station.bold) + u'|' + QString::number(station.visible) +
           QLatin1String("\r\n");
}

QString convert(QStringView text)
{
    QString lines;
    for (const QStringView record : records(text)) {
        Station station;
        parseStation(record, station);
        if (!station.name.isEmpty() && !station.url.isEmpty())
            lines += stationLine(station);
    }
    return lines;
}

} // namespace OrxFormat
