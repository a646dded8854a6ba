#include "stations/StationListFormat.h"

#include "common/NumberText.h"

#include <QList>

namespace StationListFormat {

namespace {

// The entry of one station line, or empty text when the line is no station.
QString entryOf(QStringView line)
{
    if (line.size() < Marker.size() ||
        line.left(Marker.size()).compare(Marker, Qt::CaseInsensitive) != 0)
        return {};
    QList<QStringView> fields = line.mid(Marker.size()).split(u'|');
    if (fields.size() < 2 || fields.at(1).isEmpty())
        return {};
    fields.resize(FieldCount);
    QString entry;
    for (qsizetype i = 0; i < FieldCount; ++i) {
        if (i > 0)
            entry += u'|';
        entry += fields.at(i);
    }
    return entry;
}

} // namespace

QStringList parseEntries(QStringView text)
{
    QStringList entries;
    qsizetype start = 0;
    for (int lineNumber = 0; lineNumber < MaxLines && start <= text.size(); ++lineNumber) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() + 1 : end + 1;
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(start, end - start);
        if (line.endsWith(u'\r') && end < text.size())
            line.chop(1); // CR LF
        if (line.isEmpty())
            break;
        const QString entry = entryOf(line);
        if (!entry.isEmpty())
            entries.append(entry);
        start = next;
    }
    return entries;
}

Station parseEntry(QStringView entry, const QLocale& locale)
{
    const QList<QStringView> fields = entry.split(u'|');
    const auto field = [&fields](int index) {
        return index < fields.size() ? fields.at(index) : QStringView();
    };
    Station station;
    station.name = field(0).toString();
    station.url = field(1).toString();
    station.textColour = NumberText::toInt32(field(2), locale).value_or(DefaultTextColour);
    station.backColour = NumberText::toInt32(field(3), locale).value_or(DefaultBackColour);
    station.bold = NumberText::toInt16(field(4), locale).value_or(DefaultBold);
    station.visible = NumberText::toInt16(field(5), locale).value_or(DefaultVisible);
    return station;
}

QString stationLine(QStringView name, QStringView url, qint32 textColour, bool bold, bool visible)
{
    return Marker + name + u'|' + url + u'|' + QString::number(textColour) +
           QLatin1String("|16777215|") + (bold ? QLatin1String("-1") : QLatin1String("0")) + u'|' +
           (visible ? u'1' : u'0') + QLatin1String("\r\n");
}

} // namespace StationListFormat
