// Audio a player really played out, for tests: a clocked sink description that
// records raw S16LE stereo 44.1 kHz into a file, and the levels measured in it.
#pragma once

#include "TestFolders.h" // EnvironmentOverride

#include <QByteArray>
#include <QString>

namespace AudioRecording {

constexpr int BytesPerSecond = 44100 * 4; // S16 stereo

// A SKYTUNER_AUDIO_SINK description recording into file, paced by the clock.
QByteArray sinkInto(const QString& file);

struct Levels
{
    double left = 0; // RMS, 0..32768
    double right = 0;
    int peak = 0;
};

// Levels of the bytes from..to (clamped to the recording).
Levels measure(const QByteArray& raw, qint64 from, qint64 to);

double decibels(double value, double reference);

} // namespace AudioRecording
