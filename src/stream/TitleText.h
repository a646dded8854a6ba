// Station names and titles as the stream sends them (ICY titles, tags) turned
// into text to show: never interpreted, never able to reorder or hide the text
// around them. HTML character references that servers put into titles are
// decoded; control characters, bidirectional overrides and isolates and broken
// UTF-16 are dropped; a title that reached us as Windows-1250 or Latin-1 bytes
// read one byte per character is read again in the right code page.
#pragma once

#include <QString>

namespace TitleText {

// The text to show: blanks collapsed, at most maxLength units, cut only between
// two user-visible characters and then ended with "...".
QString clean(const QString& text, int maxLength);

// "&amp;" -> "&", "&#382;" -> "ž", "&eacute;" -> "é"; unknown names stay as written.
QString decodeReferences(const QString& text);

// The text read one byte per character (all below U+0100) read again: as UTF-8
// when the bytes are UTF-8, else as Windows-1250 or Latin-1, whichever the
// letters next to the bytes the two differ in fit better. Other text is returned.
QString repairEncoding(const QString& text);

} // namespace TitleText
