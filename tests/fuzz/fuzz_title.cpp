// Titles a stream sends, as raw UTF-16 and as bytes read one per character:
// what is shown is clean text within its length, and never cut inside a pair.
#include "Fuzz.h"
#include "stream/TitleText.h"

namespace {

void check(const QString& title, int maxLength)
{
    const QString shown = TitleText::clean(title, maxLength);
    FUZZ_CHECK(shown.size() <= std::max(maxLength, 3) && shown.isValidUtf16(), Fuzz::shown(title));
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t u = shown[i].unicode();
        FUZZ_CHECK(u >= 0x20 && !(u >= 0x7F && u <= 0x9F) && !(u >= 0x202A && u <= 0x202E) &&
                       !(u >= 0x2066 && u <= 0x2069),
                   Fuzz::shown(title));
        FUZZ_CHECK(!shown[i].isSpace() ||
                       (i > 0 && i + 1 < shown.size() && !shown[i + 1].isSpace()),
                   Fuzz::shown(title));
    }
}

} // namespace

// The input: the longest title to show (one byte), then the title.
FUZZ_TARGET(bytes)
{
    if (bytes.isEmpty())
        return;
    const int maxLength = static_cast<unsigned char>(bytes[0]);
    check(Fuzz::utf16(bytes.sliced(1)), maxLength);
    check(QString::fromLatin1(bytes.sliced(1)), maxLength);
}
