// ORX station files, the older tagged format, as plain functions over text.
//
// A station record is the text between <RADIOSTATION> and the first
// </RADIOSTATION> after it; inside it five value tags each hold the text between
// the tag's first opening form and the first closing form after it. Tags match
// in any letter case, values are taken as written (not trimmed, entities not
// decoded), and text outside the records is ignored.
#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringView>

namespace OrxFormat {

inline constexpr QLatin1String RecordOpen("<RADIOSTATION>");
inline constexpr QLatin1String RecordClose("</RADIOSTATION>");

// The values of one record; every record starts from these defaults.
struct Station
{
    QString name;   // a record without a name is dropped
    QString url;    // a record without a URL is dropped
    QString colour; // copied as text into the text colour field
    qint16 bold = 0;
    qint16 visible = 0;
};

// The first place at or after `from` where `tag` (upper case) stands in the
// text, comparing each character's upper case: as a search in an upper-cased
// copy of the text, but a character whose full upper case is longer ("ß") stays
// one character, so the place is a place in the text itself. -1 when absent.
qsizetype indexOfTag(QStringView text, QLatin1String tag, qsizetype from = 0);

// The records of a file's text in order. A record without its closing tag ends
// the scan; the records before it count.
QList<QStringView> records(QStringView text);

// Reads the value tags of one record into `station`; a tag pair that is absent
// (or has no closing form) leaves its value unchanged. Visible becomes 0 for
// exactly "0", else 1; bold becomes 1 for exactly "1", else 0.
void parseStation(QStringView record, Station& station);

// The station line of a record, ending in CR LF. Each value stays within its
// field: a line break (CR LF, CR or LF) becomes a space and "|" becomes "_".
QString stationLine(const Station& station);

// The station list text of a whole ORX text: one line per record with a name
// and a URL, in record order (empty when there is none).
QString convert(QStringView text);

} // namespace OrxFormat
