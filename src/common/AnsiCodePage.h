// The ANSI code page of the program's text files: Windows-1250.
//
// Station lists, ORX files and the settings file are Windows-1250 bytes unless
// they are UTF-8 (common/TextFileEncoding.h), so files move between this program
// and existing Windows installs byte for byte. The five
// byte values Windows-1250 leaves undefined (0x81 0x83 0x88 0x90 0x98) decode to
// the C1 code points of the same value and encode back to the same byte, so even a
// damaged file survives a load and save unchanged. A character Windows-1250
// cannot hold is written as "?", and `lost` (when given) is set.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace AnsiCodePage {

// True when every byte is below 0x80: the same text in any of the program's encodings.
bool isAscii(QByteArrayView bytes);

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text, bool* lost = nullptr);

} // namespace AnsiCodePage
