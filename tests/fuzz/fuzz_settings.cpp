// The settings file: a value written reads back as written (its first line), a
// second write of it changes nothing, and the program's settings written back
// into any file read as they were.
#include "Fuzz.h"
#include "common/TextFileEncoding.h"
#include "settings/IniText.h"
#include "settings/PlayerSettings.h"

#include <QRegularExpression>

using PlayerSettings::Key;

// The input: the file, then optionally NUL, section, NUL, key, NUL, value.
FUZZ_TARGET(bytes)
{
    const qsizetype split = bytes.indexOf('\0');
    const QString text = TextFileEncoding::decode(split < 0 ? bytes : bytes.first(split));
    const QStringList parts = split < 0
                                  ? QStringList{QStringLiteral("PLAYER"), QStringLiteral("list"),
                                                text.section(u'\n', 0, 0)}
                                  : QString::fromUtf8(bytes.sliced(split + 1)).split(QChar(0));
    if (parts.size() >= 3) {
        const QString value = parts.mid(2).join(QChar(0));
        if (const auto written = IniText::writeValue(text, parts[0], parts[1], value)) {
            const QString line =
                value.section(QRegularExpression(QStringLiteral("\r?\n|\\x00")), 0, 0);
            const QString read = IniText::readValue(*written, parts[0], parts[1]);
            FUZZ_CHECK(read == line.left(IniText::MaxValueLength), Fuzz::shown(read));
            FUZZ_CHECK(IniText::writeValue(*written, parts[0], parts[1], value) == written,
                       Fuzz::shown(*written));
        }
    }

    const PlayerSettings::Values values = PlayerSettings::Parse(text);
    QString file = text;
    for (int k = 0; k <= int(Key::ShowErrors); ++k) {
        if (const auto t = PlayerSettings::Text(values, Key(k)))
            file = IniText::writeValue(file, PlayerSettings::Section(Key(k)),
                                       PlayerSettings::Name(Key(k)), *t)
                       .value_or(file);
    }
    const PlayerSettings::Values again = PlayerSettings::Parse(file);
    for (int k = 0; k <= int(Key::ShowErrors); ++k)
        FUZZ_CHECK(PlayerSettings::Text(again, Key(k)) == PlayerSettings::Text(values, Key(k)),
                   PlayerSettings::Name(Key(k)) + u' ' + Fuzz::shown(text) + u'\n' +
                       Fuzz::shown(file));
}
