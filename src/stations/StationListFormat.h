// The station list file format as plain functions over text.
//
// A station line is "[STATION:]" (any letter case, from column 1) followed by
// name|url|text colour|background colour|bold|visible. Lines end at CR LF or at
// a lone LF (a lone CR is part of the line); the first empty line ends the
// list; only lines 0 to 1024 are examined. Files are written with CR LF.
#pragma once

#include <QLatin1String>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace StationListFormat {

inline constexpr QLatin1String Marker("[STATION:]");
inline constexpr int FieldCount = 6;
inline constexpr int MaxLines = 1025; // lines 0 to 1024
// Reading a file stops after this many bytes even before MaxLines lines (a line
// cut there is dropped): a 50 MB file of garbage costs no more than this.
inline constexpr qint64 MaxReadBytes = 16 * 1024 * 1024;

// Field defaults when a field is missing, empty, not numeric or out of range.
inline constexpr qint32 DefaultTextColour = 0;
inline constexpr qint32 DefaultBackColour = 16777215;
inline constexpr qint16 DefaultBold = 0;
inline constexpr qint16 DefaultVisible = 1;

// The station entries of a file's text, in file order: each one the line's
// first six fields joined by "|" (missing fields added empty). Station lines
// without a URL (second field) are skipped.
QStringList parseEntries(QStringView text);

struct Station
{
    QString name;
    QString url;
    qint32 textColour = DefaultTextColour;
    qint32 backColour = DefaultBackColour;
    qint16 bold = DefaultBold;       // non-zero: bold
    qint16 visible = DefaultVisible; // exactly 1: shown in the main list
};

// The fields of an entry; numeric fields parsed in the locale's notation,
// rounded half to even, with the defaults above.
Station parseEntry(QStringView entry, const QLocale& locale = QLocale());

// One station line as the program writes it, ending in CR LF; the background
// colour is always 16777215, bold "-1" or "0", visible "1" or "0".
QString stationLine(QStringView name, QStringView url, qint32 textColour, bool bold, bool visible);

// The editor's row icons: 1 hidden, 2 shown, 3 hidden and changed, 4 shown and
// changed. A station opens hidden exactly when the main list hides it (visible
// not 1), so opening and saving never shows a hidden one.
inline int editorIcon(qint16 visible)
{
    return visible == 1 ? 2 : 1;
}
inline bool visibleFromEditorIcon(int icon)
{
    return icon != 1 && icon != 3;
}

} // namespace StationListFormat
