// Station list files: any bytes read as a list, written back as the program
// writes it and read again give the same stations.
#include "Fuzz.h"
#include "common/TextFileEncoding.h"
#include "stations/StationListFormat.h"

using namespace StationListFormat;

namespace {

// The stations of a file as the program writes them, a line each.
QString written(QByteArrayView bytes)
{
    QString text;
    for (const QString& entry : parseEntries(TextFileEncoding::decode(bytes))) {
        const Station s = parseEntry(entry);
        text += stationLine(s.name, s.url, s.textColour, s.bold != 0, s.visible == 1);
    }
    return text;
}

} // namespace

FUZZ_TARGET(bytes)
{
    const QString first = written(bytes);
    const QByteArray file = TextFileEncoding::encode(QString(first + QLatin1String("\r\n")),
                                                     TextFileEncoding::detect(bytes));
    const QString again = written(file);
    FUZZ_CHECK(again == first, Fuzz::shown(first) + u'\n' + Fuzz::shown(again));
}
