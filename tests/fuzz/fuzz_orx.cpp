// ORX files: every record with a name and an address becomes exactly one
// station of the converted list, with its values as its fields.
#include "Fuzz.h"
#include "common/TextFileEncoding.h"
#include "stations/OrxFormat.h"
#include "stations/StationListFormat.h"

FUZZ_TARGET(bytes)
{
    const QString text = TextFileEncoding::decode(bytes);
    QStringList expected;
    for (const QStringView record : OrxFormat::records(text)) {
        OrxFormat::Station station;
        OrxFormat::parseStation(record, station);
        if (!station.name.isEmpty() && !station.url.isEmpty())
            expected
                << OrxFormat::stationLine(station).mid(StationListFormat::Marker.size()).chopped(2);
    }
    const QStringList entries = StationListFormat::parseEntries(OrxFormat::convert(text));
    FUZZ_CHECK(entries == expected.mid(0, StationListFormat::MaxLines),
               QString::number(entries.size()) + u' ' + QString::number(expected.size()));
}
