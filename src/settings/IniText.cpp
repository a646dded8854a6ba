#include "settings/IniText.h"

#include <QList>

namespace IniText {

namespace {

enum class LineKind
{
    Other,
    Section,
    Key
};

struct Line
{
    LineKind kind = LineKind::Other;
    QStringView name;  // section or key name, trimmed
    QStringView value; // key value, trimmed
};

Line classify(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.lastIndexOf(u']');
        if (close > 0)
            return {LineKind::Section, trimmed.mid(1, close - 1).trimmed(), {}};
    }
    if (trimmed.startsWith(u';'))
        return {};
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals < 0)
        return {};
    return {LineKind::Key, trimmed.left(equals).trimmed(), trimmed.mid(equals + 1).trimmed()};
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The lines of the text without their line ends; a final LF starts no line.
QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.append(line);
        start = end + 1;
    }
    return lines;
}

bool writableSection(QStringView name)
{
    return !name.trimmed().isEmpty() && !name.contains(u'\n') && !name.contains(u'\r') &&
           !name.contains(u']') && !name.contains(QChar(0));
}

bool writableKey(QStringView name)
{
    const QStringView trimmed = name.trimmed();
    return !trimmed.isEmpty() && !name.contains(u'\n') && !name.contains(u'\r') &&
           !name.contains(u'=') && !name.contains(QChar(0)) && !trimmed.startsWith(u';') &&
           !trimmed.startsWith(u'[');
}

// The value as a key line holds it: up to its first line end (LF or CR LF) or
// NUL, as a lone CR is part of a line; in quotes when reading would drop its
// blanks or its quotes.
QString storedValue(QStringView value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\n' || value.at(i) == QChar(0)) {
            value =
                value.left(i > 0 && value.at(i) == u'\n' && value.at(i - 1) == u'\r' ? i - 1 : i);
            break;
        }
    }
    const bool quote =
        !value.isEmpty() && (value.front().isSpace() || value.back().isSpace() ||
                             (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')));
    return quote ? u'"' + value + u'"' : value.toString();
}

} // namespace

QString readValue(QStringView text, QStringView section, QStringView key)
{
    section = section.trimmed();
    key = key.trimmed();
    bool inSection = false;
    for (const QStringView raw : splitLines(text)) {
        const Line line = classify(raw);
        if (line.kind == LineKind::Section) {
            if (inSection)
                return {}; // only the first section of that name counts
            inSection = sameName(line.name, section);
        } else if (inSection && line.kind == LineKind::Key && sameName(line.name, key)) {
            QStringView value = line.value;
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
            return value.left(MaxValueLength).toString();
        }
    }
    return {};
}

std::optional<QString> writeValue(QStringView text, QStringView section, QStringView key,
                                  QStringView value)
{
    if (!writableSection(section) || !writableKey(key))
        return std::nullopt;
    QList<QStringView> lines = splitLines(text);
    const QString sectionLine = u'[' + section.trimmed().toString() + u']';
    const QString keyName = key.trimmed().toString();
    const QString newValue = storedValue(value);
    QString replaced; // storage for a replaced key line

    qsizetype sectionAt = -1;
    for (qsizetype i = 0; i < lines.size() && sectionAt < 0; ++i) {
        const Line line = classify(lines.at(i));
        if (line.kind == LineKind::Section && sameName(line.name, section.trimmed()))
            sectionAt = i;
    }

    if (sectionAt < 0) {
        lines.append(sectionLine);
        replaced = keyName + u'=' + newValue;
        lines.append(replaced);
    } else {
        qsizetype insertAt = sectionAt + 1;
        bool done = false;
        for (qsizetype i = sectionAt + 1; i < lines.size(); ++i) {
            const Line line = classify(lines.at(i));
            if (line.kind == LineKind::Section)
                break;
            if (line.kind == LineKind::Key && sameName(line.name, keyName)) {
                replaced = line.name + u'=' + newValue;
                lines[i] = replaced;
                done = true;
                break;
            }
            if (!lines.at(i).trimmed().isEmpty())
                insertAt = i + 1;
        }
        if (!done) {
            replaced = keyName + u'=' + newValue;
            lines.insert(insertAt, replaced);
        }
    }

    QString result;
    qsizetype size = 0;
    for (const QStringView line : lines)
        size += line.size() + 2;
    result.reserve(size);
    for (const QStringView line : lines) {
        result += line;
        result += QLatin1String("\r\n");
    }
    return result;
}

} // namespace IniText
