#include "settings/PlayerSettings.h"

#include "common/NumberText.h"

namespace PlayerSettings {

// The user's notation first, then the plain one the program writes ("1234.5").
std::optional<double> NumericValue(const QString& text)
{
    if (const std::optional<double> value = NumberText::parse(text))
        return value;
    return NumberText::parse(text, QLocale::c());
}

std::optional<int> Int16Value(const QString& text)
{
    if (const std::optional<qint16> value = NumberText::toInt16(text))
        return *value;
    if (const std::optional<qint16> value = NumberText::toInt16(text, QLocale::c()))
        return *value;
    return std::nullopt;
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
