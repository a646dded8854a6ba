#include "common/TextFileEncoding.h"

#include "common/AnsiCodePage.h"

#include <QStringDecoder>

namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// The length of the bytes without a multibyte sequence cut at their end.
qsizetype wholeSequencesLength(QByteArrayView bytes)
{
    for (qsizetype i = bytes.size() - 1; i >= 0 && i >= bytes.size() - 4; --i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (isContinuation(c))
            continue;
        const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return i + length > bytes.size() ? i : bytes.size();
    }
    return bytes.size(); // only continuation bytes: invalid, judged as they are
}

} // namespace

namespace TextFileEncoding {

void Detector::add(QByteArrayView bytes)
{
    if (m_invalid || bytes.isEmpty())
        return;
    QByteArray joined;
    if (!m_pending.isEmpty()) {
        joined = m_pending;
        joined.append(bytes);
        bytes = joined;
    }
    const qsizetype whole = wholeSequencesLength(bytes);
    m_pending = bytes.sliced(whole).toByteArray();
    bytes.truncate(whole);
    m_invalid = !bytes.isValidUtf8();
    m_nonAscii = m_nonAscii || !AnsiCodePage::isAscii(bytes);
}

Encoding Detector::encoding() const
{
    const bool utf8 = !m_invalid && m_pending.isEmpty() && m_nonAscii;
    return utf8 ? Encoding::Utf8 : Encoding::Windows1250;
}

Encoding detect(QByteArrayView bytes)
{
    Detector detector;
    detector.add(bytes);
    return detector.encoding();
}

QString decode(QByteArrayView bytes)
{
    if (detect(bytes) == Encoding::Windows1250)
        return AnsiCodePage::decode(bytes);
    if (bytes.startsWith(ByteOrderMark))
        bytes = bytes.sliced(ByteOrderMark.size());
    // One mark only: a second is the text's own U+FEFF (fromUtf8 would drop it).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
}

QByteArray encode(QStringView text, Encoding preferred)
{
    // A leading U+FEFF reads back only behind a byte-order mark, which decode drops.
    const auto utf8 = [text] {
        return text.startsWith(QChar(0xFEFF)) ? ByteOrderMark.toByteArray() + text.toUtf8()
                                              : text.toUtf8();
    };
    if (preferred == Encoding::Utf8)
        return utf8();
    bool lost = false;
    const QByteArray bytes = AnsiCodePage::encode(text, &lost);
    // Windows-1250 bytes that happen to be valid UTF-8 would read back as other text.
    return lost || detect(bytes) == Encoding::Utf8 ? utf8() : bytes;
}

} // namespace TextFileEncoding
