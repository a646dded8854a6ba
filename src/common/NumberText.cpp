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

} // namespace

std::optional<double> parse(QStringView text, const QLocale& locale)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
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
