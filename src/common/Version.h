// The product name and version, declared once in CMake (project VERSION).
#pragma once

#include <QString>

namespace Version {

inline constexpr const char* ProductName = "skyTuner";
inline constexpr const char* Number = SKYTUNER_VERSION;
inline constexpr int Major = SKYTUNER_VERSION_MAJOR;
inline constexpr int Minor = SKYTUNER_VERSION_MINOR;
inline constexpr int Revision = SKYTUNER_VERSION_PATCH;

// The project's web address (the about box). A placeholder until the project
// has a public home; this is the one place that names it.
inline constexpr const char* ProjectAddress = "https://skytuner.example.org";

// Major, minor and revision in plain decimal: 1.10.7, never 01.10.0007.
inline QString numberText(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

// The build's version, "0.2.4".
inline QString text()
{
    return numberText(Major, Minor, Revision);
}

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
