// The encoding of the program's text files (station lists, ORX files, the
// settings file).
//
// They are Windows-1250 so that they move to and from Windows byte for byte, but
// an editor on Linux writes UTF-8. So a file whose bytes are valid UTF-8 and hold
// at least one non-ASCII byte is read as UTF-8 (a byte-order mark dropped), every
// other file as Windows-1250. Czech text in Windows-1250 is practically never
// valid UTF-8, and pure ASCII reads the same either way. Text is written as
// Windows-1250 unless a file is to stay UTF-8 or the text holds a character
// Windows-1250 cannot represent: then as UTF-8, without a byte-order mark.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace TextFileEncoding {

enum class Encoding
{
    Windows1250,
    Utf8
};

// Judges a file read in pieces: a UTF-8 sequence split between two pieces is
// judged whole, and one cut by the end of the file is not valid UTF-8.
class Detector
{
public:
    void add(QByteArrayView bytes);
    // True once a byte has ruled UTF-8 out: the rest of the file changes nothing.
    bool ruledOut() const { return m_invalid; }
    // The encoding of the bytes added so far, taken as the whole file.
    Encoding encoding() const;

private:
    QByteArray m_pending; // the start of a sequence the last piece cut
    bool m_invalid = false;
    bool m_nonAscii = false;
};

Encoding detect(QByteArrayView bytes);

// The file's text by the rule above.
QString decode(QByteArrayView bytes);

// The text as Windows-1250, or as UTF-8 when `preferred` is UTF-8, Windows-1250
// would lose a character or its bytes would read as UTF-8: what decode reads back.
QByteArray encode(QStringView text, Encoding preferred);

} // namespace TextFileEncoding
