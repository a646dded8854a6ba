#include "common/AnsiCodePage.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// Windows-1250 leaves these bytes undefined; they map to the C1 code point of the
// same value and back, so no byte is ever lost.
bool isUndefinedByte(unsigned value)
{
    return value == 0x81 || value == 0x83 || value == 0x88 || value == 0x90 || value == 0x98;
}

// One conversion descriptor per direction and thread, opened on first use.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t handle()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // reset the shift state
        return m_cd;
    }
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

private:
    iconv_t m_cd;
};

} // namespace

namespace AnsiCodePage {

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QString decode(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);

    thread_local Converter converter("UTF-16LE", "WINDOWS-1250");
    QString result(bytes.size(), Qt::Uninitialized); // never more units than bytes
    if (!converter.valid())
        return QString::fromLatin1(bytes);

    iconv_t cd = converter.handle();
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char* out = reinterpret_cast<char*>(result.data());
    size_t outLeft = static_cast<size_t>(result.size()) * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // An undefined byte: keep its value as a C1 code point.
        const char16_t unit = static_cast<unsigned char>(*in);
        std::memcpy(out, &unit, sizeof unit);
        out += sizeof unit;
        outLeft -= sizeof unit;
        ++in;
        --inLeft;
    }
    result.truncate(result.size() - static_cast<qsizetype>(outLeft / sizeof(char16_t)));
    return result;
}

QByteArray encode(QStringView text, bool* lost)
{
    if (lost)
        *lost = false;
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLatin1();

    // glibc's iconv skips the Unicode tag characters (U+E0000-U+E007F) without a
    // word; they have no Windows-1250 form, so they go in as U+FFFD and come out
    // as "?", lost like any other.
    QString untagged;
    bool tagged = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool tag = i + 1 < text.size() && text[i].unicode() == 0xDB40 &&
                         text[i + 1].unicode() >= 0xDC00 && text[i + 1].unicode() <= 0xDC7F;
        tagged = tagged || tag;
        untagged.append(tag ? QChar(0xFFFD) : text[i]);
        i += tag ? 1 : 0;
    }
    if (tagged)
        text = untagged;

    thread_local Converter converter("WINDOWS-1250", "UTF-16LE");
    QByteArray result(text.size(), Qt::Uninitialized); // one byte per UTF-16 unit at most
    if (!converter.valid()) {
        if (lost)
            *lost = true;
        return text.toLatin1();
    }

    iconv_t cd = converter.handle();
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.data()));
    size_t inLeft = static_cast<size_t>(text.size()) * sizeof(char16_t);
    char* out = result.data();
    size_t outLeft = static_cast<size_t>(result.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        char16_t unit;
        std::memcpy(&unit, in, sizeof unit);
        size_t consumed = sizeof unit;
        char replacement = '?';
        if (unit < 0x100 && isUndefinedByte(unit)) {
            replacement = static_cast<char>(unit);
        } else {
            if (lost)
                *lost = true;
            char16_t next = 0;
            if (inLeft >= 2 * sizeof unit)
                std::memcpy(&next, in + sizeof unit, sizeof next);
            if (QChar::isHighSurrogate(unit) && QChar::isLowSurrogate(next))
                consumed = 2 * sizeof unit; // one character, one "?"
        }
        *out++ = replacement;
        --outLeft;
        in += consumed;
        inLeft -= consumed;
    }
    result.truncate(result.size() - static_cast<qsizetype>(outLeft));
    return result;
}

} // namespace AnsiCodePage
