// What the fuzz targets share: the input as text, and a check that stops the
// run with what failed (libFuzzer then keeps the input as a reproducer).
#pragma once

#include <QByteArrayView>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The target's body, over the input bytes.
#define FUZZ_TARGET(bytes)                                                                         \
    static void fuzzOne(QByteArrayView bytes);                                                     \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)                        \
    {                                                                                              \
        fuzzOne(QByteArrayView(data, qsizetype(size)));                                            \
        return 0;                                                                                  \
    }                                                                                              \
    static void fuzzOne(QByteArrayView bytes)

// `detail` (a QString) is only built when the check fails.
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            Fuzz::fail(#condition, detail);                                                        \
    } while (0)

namespace Fuzz {

[[noreturn]] inline void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "check failed: %s\n%s\n", what, qUtf8Printable(detail));
    std::abort();
}

// The bytes as UTF-16 units, as text from outside may hold them: broken
// surrogate pairs, NUL and controls included.
inline QString utf16(QByteArrayView bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), bytes.data(), size_t(text.size()) * 2);
    return text;
}

// Text shown in a failure: every unit visible.
inline QString shown(const QString& text)
{
    QString out;
    for (QChar c : text)
        out += c.unicode() >= 0x20 && c.unicode() < 0x7F
                   ? QString(c)
                   : QString::asprintf("\\u%04X", c.unicode());
    return u'"' + out + u'"';
}

// Numbers in files are read in the user's notation: the program's users are Czech.
inline const bool czechLocale =
    (QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia)), true);

} // namespace Fuzz
