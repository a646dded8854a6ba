#include "stream/TitleText.h"

#include "common/AnsiCodePage.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBoundaryFinder>

namespace {

bool isVowel(QChar c)
{
    const QChar base = c.decomposition().isEmpty() ? c.toLower() : c.decomposition()[0].toLower();
    return QStringView(u"aeiouy").contains(base) || QStringView(u"æøœ").contains(c.toLower());
}

// Windows-1250 is the program's code page and wins ties; Latin-1 wins where
// the Windows-1250 reading would be a vowel-less consonant cluster, a spacing
// accent or a letter Czech does not write there.
int windows1250Vote(QChar cp1250, QChar latin1, QChar before, QChar after)
{
    const auto nonVowel = [](QChar c) {
        return !c.isLetter() || !isVowel(c);
    };
    if (!latin1.isLetter() && !cp1250.isLetter())
        return -1; // a symbol rather than a spacing accent
    if (!latin1.isLetter())
        return before.isLetter() || after.isLetter() ? 1 : -1; // "ł" in a word, "£5"
    if (!cp1250.isLetter())
        return -1;
    const bool vowel1250 = isVowel(cp1250);
    if (isVowel(latin1) && !vowel1250) // "Crème" / "Dvořák", "Bjørn" / "Tři"
        return nonVowel(before) && nonVowel(after) ? -1 : 1;
    if (!vowel1250)
        return -1; // "ñ" rather than "ń"
    switch (cp1250.toLower().unicode()) {
    case u'ě': // only after these consonants in Czech ("Běží"; "così")
        return QStringView(u"bpvmfdtn").contains(before.toLower()) ? 1 : -1;
    case u'ů': // never after a vowel ("kůň"; "più")
        return nonVowel(before) ? 1 : -1;
    default: // "ő" "ű" "ă" "ę": "õ" "û" "ã" "ê" are the likelier
        return -1;
    }
}

bool isDisallowed(char16_t u)
{
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069);
}

// A named reference: a few symbols, and letters with an accent by HTML's
// naming ("ccaron", "uring"), composed from the letter and the combining mark.
QString namedReference(const QString& name)
{
    static const QHash<QString, QString> symbols = {
        {"amp", "&"},    {"lt", "<"},     {"gt", ">"},     {"quot", "\""},  {"apos", "'"},
        {"nbsp", " "},   {"shy", ""},     {"copy", "©"},   {"reg", "®"},    {"trade", "™"},
        {"hellip", "…"}, {"ndash", "–"},  {"mdash", "—"},  {"lsquo", "‘"},  {"rsquo", "’"},
        {"sbquo", "‚"},  {"ldquo", "“"},  {"rdquo", "”"},  {"bdquo", "„"},  {"laquo", "«"},
        {"raquo", "»"},  {"bull", "•"},   {"middot", "·"}, {"deg", "°"},    {"euro", "€"},
        {"pound", "£"},  {"cent", "¢"},   {"yen", "¥"},    {"sect", "§"},   {"times", "×"},
        {"divide", "÷"}, {"plusmn", "±"}, {"micro", "µ"},  {"iexcl", "¡"},  {"iquest", "¿"},
        {"szlig", "ß"},  {"aelig", "æ"},  {"AElig", "Æ"},  {"oslash", "ø"}, {"Oslash", "Ø"},
        {"oelig", "œ"},  {"OElig", "Œ"},  {"eth", "ð"},    {"ETH", "Ð"},    {"thorn", "þ"},
        {"THORN", "Þ"},  {"lstrok", "ł"}, {"Lstrok", "Ł"}, {"dstrok", "đ"}, {"Dstrok", "Đ"},
    };
    static const QHash<QString, char16_t> marks = {
        {"grave", 0x300}, {"acute", 0x301}, {"circ", 0x302}, {"tilde", 0x303}, {"macr", 0x304},
        {"breve", 0x306}, {"dot", 0x307},   {"uml", 0x308},  {"ring", 0x30A},  {"dblac", 0x30B},
        {"caron", 0x30C}, {"cedil", 0x327}, {"ogon", 0x328},
    };
    if (const auto it = symbols.constFind(name); it != symbols.cend())
        return *it;
    const auto mark = marks.constFind(name.mid(1));
    if (mark == marks.cend())
        return {};
    const QString composed =
        QString(name.left(1) + QChar(*mark)).normalized(QString::NormalizationForm_C);
    return composed.size() == 1 ? composed : QString();
}

} // namespace

namespace TitleText {

QString decodeReferences(const QString& text)
{
    if (!text.contains(u'&'))
        return text;
    static const QRegularExpression reference(
        QStringLiteral("&(?:#([0-9]{1,8})|#[xX]([0-9A-Fa-f]{1,8})|([A-Za-z][A-Za-z0-9]{1,31}));"));
    QString out;
    qsizetype done = 0;
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        QString replacement = m.captured(0);
        if (m.hasCaptured(3)) {
            if (const QString named = namedReference(m.captured(3)); !named.isNull())
                replacement = named;
        } else {
            const uint code =
                m.hasCaptured(1) ? m.captured(1).toUInt() : m.captured(2).toUInt(nullptr, 16);
            // Nothing for a code no character has: never half a surrogate pair.
            replacement = code <= 0x10FFFF && !QChar::isSurrogate(code)
                              ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1)
                              : QString();
        }
        out += QStringView(text).mid(done, m.capturedStart() - done) + replacement;
        done = m.capturedEnd();
    }
    return out + QStringView(text).mid(done);
}

QString repairEncoding(const QString& text)
{
    bool wide = false;
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            return text;
        wide = wide || c.unicode() >= 0x80;
    }
    if (!wide)
        return text;
    const QByteArray bytes = text.toLatin1();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8(bytes);
    if (!utf8.hasError())
        return asUtf8; // UTF-8 read as Latin-1 on the way
    const QString cp1250 = AnsiCodePage::decode(bytes);
    int vote = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() >= 0x80 && text[i].unicode() <= 0x9F)
            return cp1250; // control codes in Latin-1, letters and quotes in Windows-1250
        if (cp1250[i] != text[i])
            vote += windows1250Vote(cp1250[i], text[i], i > 0 ? cp1250[i - 1] : QChar(),
                                    i + 1 < text.size() ? cp1250[i + 1] : QChar());
    }
    return vote >= 0 ? cp1250 : text;
}

QString clean(const QString& text, int maxLength)
{
    const QString decoded = decodeReferences(repairEncoding(text));
    QString t;
    t.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded[i];
        if (c.isHighSurrogate() && i + 1 < decoded.size() && decoded[i + 1].isLowSurrogate())
            t += decoded.mid(i++, 2);
        else if (isDisallowed(c.unicode()))
            t += c.unicode() < 0x202A ? QStringLiteral(" ") : QString();
        else if (!c.isSurrogate())
            t += c;
    }
    t = t.simplified();
    if (t.size() <= maxLength)
        return t;
    // Qt's finder can call the middle of a surrogate pair a boundary (between
    // two emoji): such a place is none.
    const auto insidePair = [&t](qsizetype at) {
        return at > 0 && t[at].isLowSurrogate() && t[at - 1].isHighSurrogate();
    };
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, t);
    qsizetype cut = std::max(maxLength - 3, 0);
    graphemes.setPosition(cut);
    while (cut > 0 && (!graphemes.isAtBoundary() || insidePair(cut)))
        cut = std::max<qsizetype>(graphemes.toPreviousBoundary(), 0);
    return t.left(cut) + QStringLiteral("...");
}

} // namespace TitleText
