#include "common/NumberText.h"

#include <cmath>
#include <limits>

namespace NumberText {

namespace {

template <typename Int> std::optional<Int> toWhole(QStringView text, const QLocale& locale)
{
    const std::optional<double> number = parse(text, locale);
    if (!number)
        return std::nullopt;
    // nearbyint in the default rounding mode rounds halves to the even neighbour.
    const double whole = std::nearbyint(*number);
    if (whole < double(std::numeric_limits<Int>::min()) ||
        whole > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(whole);
}

// Plain decimal digits with an optional sign read the same in every locale;
// reading them directly spares the locale lookups of a thousand-station fill.
std::optional<double> plainInteger(QStringView text)
{
    const qsizetype digitsFrom = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    const qsizetype digits = text.size() - digitsFrom;
    if (digits < 1 || digits > 15)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok ? std::optional<double>(double(value)) : std::nullopt;
}

} // namespace

std::optional<double> parse(QStringView text, const QLocale& locale)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (const std::optional<double> integer = plainInteger(trimmed))
        return integer;
    bool ok = false;
    const double value = locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> toInt32(QStringView text, const QLocale& locale)
{
    return toWhole<qint32>(text, locale);
}

std::optional<qint16> toInt16(QStringView text, const QLocale& locale)
{
    return toWhole<qint16>(text, locale);
}

QString fromSingle(double value)
{
    const float single = static_cast<float>(value);
    return QString::number(double(single), 'g', 7).toUpper();
}

} // namespace NumberText
