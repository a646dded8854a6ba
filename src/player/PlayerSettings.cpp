#include "player/PlayerSettings.h"

#include <QLocale>

#include <cmath>

namespace PlayerSettings {

std::optional<double> NumericValue(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> Int16Value(const QString& text)
{
    const std::optional<double> value = NumericValue(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // default rounding: halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<int>(rounded);
}

bool Flag(const QString& text)
{
    return text == QLatin1String("1");
}

int Volume(const QString& text)
{
    const std::optional<int> value = Int16Value(text);
    return (value && *value >= 0 && *value <= 100) ? *value : 50;
}

int Balance(const QString& text)
{
    const std::optional<int> value = Int16Value(text);
    return (value && *value >= -100 && *value <= 100) ? *value : 0;
}

} // namespace PlayerSettings
