// Station list files: any bytes read as a list, written back as the program
// writes it and read again give the same stations.
#include "Fuzz.h"
#include "common/TextFileEncoding.h"
#include "stations/StationListFormat.h"

using namespace StationListFormat;

namespace {

// A station as a list written by the program keeps it.
QString written(const Station& s)
{
    return stationLine(s.name, s.url, s.textColour, s.bold != 0, s.visible == 1);
}

QList<Station> stations(QByteArrayView bytes)
{
    QList<Station> out;
    for (const QString& entry : parseEntries(TextFileEncoding::decode(bytes)))
        out.append(parseEntry(entry));
    return out;
}

} // namespace

FUZZ_TARGET(bytes)
{
    const QList<Station> first = stations(bytes);
    QString text;
    for (const Station& s : first)
        text += written(s);
    text += QLatin1String("\r\n");
    const QByteArray file = TextFileEncoding::encode(text, TextFileEncoding::detect(bytes));
    const QList<Station> again = stations(file);
    FUZZ_CHECK(again.size() == first.size(), QString::number(again.size()));
    for (qsizetype i = 0; i < first.size(); ++i)
        FUZZ_CHECK(written(again[i]) == written(first[i]), Fuzz::shown(written(again[i])));
}
