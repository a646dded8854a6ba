// Windows-1250 and the text file encodings: bytes decoded and encoded again are
// the same bytes, and text that encodes reads back as the same text.
#include "Fuzz.h"
#include "common/AnsiCodePage.h"
#include "common/TextFileEncoding.h"

using TextFileEncoding::Encoding;

FUZZ_TARGET(bytes)
{
    bool lost = true;
    const QString ansi = AnsiCodePage::decode(bytes);
    FUZZ_CHECK(AnsiCodePage::encode(ansi, &lost) == bytes && !lost, Fuzz::shown(ansi));

    // A file rewritten in its own encoding reads as before; Windows-1250 byte for byte.
    const Encoding encoding = TextFileEncoding::detect(bytes);
    const QString file = TextFileEncoding::decode(bytes);
    const QByteArray rewritten = TextFileEncoding::encode(file, encoding);
    FUZZ_CHECK(encoding == Encoding::Utf8 ? TextFileEncoding::decode(rewritten) == file
                                          : rewritten == bytes,
               Fuzz::shown(file));

    const QString text = Fuzz::utf16(bytes);
    const QByteArray encoded = AnsiCodePage::encode(text, &lost);
    // One byte per character: a pair is one, a broken half is one too.
    FUZZ_CHECK(encoded.size() == text.toUcs4().size(), Fuzz::shown(text));
    FUZZ_CHECK(lost || AnsiCodePage::decode(encoded) == text, Fuzz::shown(text));
    for (const Encoding preferred : {Encoding::Windows1250, Encoding::Utf8}) {
        const QString back = TextFileEncoding::decode(TextFileEncoding::encode(text, preferred));
        FUZZ_CHECK(!text.isValidUtf16() || back == text,
                   Fuzz::shown(text) + u' ' + Fuzz::shown(back));
    }
}
