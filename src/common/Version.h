// The product name and version, declared once in CMake (project VERSION).
#pragma once

#include <QString>

namespace Version {

inline constexpr const char* ProductName = "skyTuner";
inline constexpr const char* Number = SKYTUNER_VERSION;

// "skyTuner v.0.2.4": the main window's caption and the tray tip.
inline QString caption()
{
    return QStringLiteral("skyTuner v.") + QLatin1String(Number);
}

// "skyTuner/0.2.4": the HTTP user agent of stream and playlist requests.
inline QString userAgent()
{
    return QStringLiteral("skyTuner/") + QLatin1String(Number);
}

} // namespace Version
