// A full station list file (1025 stations) for the benchmarks: Czech names in
// a scrambled order, Windows-1250, every line a station.
#pragma once

#include "common/AnsiCodePage.h"
#include "stations/StationListFormat.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace Bench {

inline constexpr int Stations = StationListFormat::MaxLines;

inline QByteArray stationFile()
{
    QString text;
    for (int i = 0; i < Stations; ++i) {
        const int scrambled = (i * 7919) % Stations;
        const QString name = QString::fromUtf8("Příliš žluťoučký kůň %1").arg(scrambled);
        text += StationListFormat::stationLine(
            name, QStringLiteral("http://127.0.0.1:8000/stream%1.mp3").arg(i), i * 65, i % 3 == 0,
            true);
    }
    return AnsiCodePage::encode(text);
}

// Writes the file to path; false when it could not.
inline bool writeStationFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(stationFile()) >= 0;
}

} // namespace Bench
