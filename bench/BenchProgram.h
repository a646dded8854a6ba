// Running the real program for the benchmarks: its settings, its environment
// (offscreen, its own home), and the CPU time and context switches of a
// running process, read from /proc.
#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>

namespace Bench {

// The skytuner program of this build.
QString skytunerProgram();

// Writes home/skytuner.ini holding "[PLAYER]" and `lines` (CR LF ends).
void writeSettings(const QString& home, const QString& lines);

// Settings lines that start playing the station at url.
QString autostartLines(const QString& url);

// Offscreen, home as its settings folder, the player's state changes logged;
// a clocked fake sink unless the caller's environment names a sink.
QProcessEnvironment programEnvironment(const QString& home);

double median(QList<double> values);

struct ProcCounters
{
    double cpuSeconds = 0;
    long voluntary = 0;
    long involuntary = 0;
};

// All threads of process pid, so far.
ProcCounters countersOf(qint64 pid);

} // namespace Bench
