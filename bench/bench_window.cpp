// The real skytuner program, started as a user starts it (offscreen platform):
//   1. process start to the main window's first paint with a 1025-station list
//      (target under 250 ms);
//   2. with "autostart", process start to playing (the first audio reached the
//      sink) beside a bare gst-launch-1.0 playbin on the same stream, same run
//      (target at most 1.0 x the bare engine);
//   3. resident memory after 30 s of playback (target under 80 MiB).
// The program logs "first paint" and "state 3" (skytuner.player.info).
#include "BenchProgram.h"
#include "ChildProcess.h"
#include "IcecastServer.h"
#include "TestFolders.h"
#include "common/AnsiCodePage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Runs = 5;

// A child process timed from the moment start() is called.
struct Program
{
    QProcess process;
    QByteArray output;
    QElapsedTimer clock;

    void start(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment, bool watchStdout)
    {
        clock.start();
        process.setProcessEnvironment(environment);
        if (watchStdout)
            process.setStandardErrorFile(QProcess::nullDevice());
        else
            process.setStandardOutputFile(QProcess::nullDevice());
        ChildProcess::killWithTest(&process);
        process.start(program, arguments);
    }

    // Milliseconds from start() until the output holds `text`, or -1 after timeoutMs.
    double waitFor(const QByteArray& text, int timeoutMs)
    {
        while (clock.elapsed() < timeoutMs && process.state() != QProcess::NotRunning) {
            output += process.readAllStandardError() + process.readAllStandardOutput();
            if (output.contains(text))
                return double(clock.nsecsElapsed()) / 1e6;
            process.waitForReadyRead(5);
        }
        return -1;
    }

    ~Program() { ChildProcess::stop(&process); }
};

void firstPaint()
{
    QTemporaryDir home;
    QString list;
    for (int i = 0; i < 1025; ++i)
        list += QStringLiteral("[STATION:]Stanice č. %1|http://127.0.0.1:9/%2|0|16777215|0|1\r\n")
                    .arg((i * 7919) % 1025)
                    .arg(i);
    TestFolders::writeBytes(home.filePath("big.tlist"), AnsiCodePage::encode(list));
    Bench::writeSettings(home.path(),
                         QStringLiteral("list=%1\r\n").arg(home.filePath("big.tlist")));
    QList<double> times;
    for (int run = 0; run < Runs; ++run) {
        Program program;
        program.start(Bench::skytunerProgram(), {}, Bench::programEnvironment(home.path()), false);
        times.push_back(program.waitFor("first paint", 10000));
    }
    std::printf("start to first paint, 1025 stations: median %.1f ms of %d runs "
                "(target < 250 ms)\n",
                Bench::median(times), Runs);
}

void timeToSound(const IcecastServer& server)
{
    QTemporaryDir home;
    Bench::writeSettings(home.path(), Bench::autostartLines(server.mp3Url()));
    QList<double> ours;
    QList<double> bare;
    QList<double> barePlaying;
    for (int run = 0; run < Runs; ++run) {
        {
            Program program;
            program.start(Bench::skytunerProgram(), {}, Bench::programEnvironment(home.path()),
                          false);
            ours.push_back(program.waitFor("state 3 ", 30000));
            if (run == 0 && qEnvironmentVariableIsSet("BENCH_VERBOSE"))
                std::printf("%s\n", program.output.constData());
        }
        {
            // fakesink prints a "chain" line for every buffer it receives (-v).
            Program program;
            program.start(QStringLiteral("gst-launch-1.0"),
                          {"-v", "playbin", "uri=" + server.mp3Url(),
                           "audio-sink=fakesink sync=true silent=false"},
                          QProcessEnvironment::systemEnvironment(), true);
            bare.push_back(program.waitFor("chain", 30000));
            barePlaying.push_back(program.waitFor("to PLAYING", 30000));
            if (run == 0 && qEnvironmentVariableIsSet("BENCH_VERBOSE"))
                std::printf("%s\n", program.output.left(3000).constData());
        }
    }
    // The window reports "playing" when the pipeline plays, once buffering is
    // done; the bare engine's first buffer reaches its sink earlier, at preroll.
    std::printf("autostart to playing: median %.0f ms; bare gst-launch-1.0 playbin: first "
                "buffer at the sink %.0f ms, pipeline playing %.0f ms; ratio to the bare "
                "pipeline playing %.2f, to its first buffer %.2f (target <= 1.0)\n",
                Bench::median(ours), Bench::median(bare), Bench::median(barePlaying),
                Bench::median(ours) / Bench::median(barePlaying),
                Bench::median(ours) / Bench::median(bare));
}

void memoryAfterPlayback(const IcecastServer& server)
{
    QTemporaryDir home;
    Bench::writeSettings(home.path(), Bench::autostartLines(server.mp3Url()));
    Program program;
    program.start(Bench::skytunerProgram(), {}, Bench::programEnvironment(home.path()), false);
    if (program.waitFor("state 3 ", 30000) < 0) {
        std::printf("resident memory: the stream did not start\n");
        return;
    }
    QThread::sleep(30);
    QFile status(QStringLiteral("/proc/%1/status").arg(program.process.processId()));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            std::printf("resident memory after 30 s of playback: %.1f MiB (target < 80 MiB)\n",
                        line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    firstPaint();
    IcecastServer server;
    if (!server.start()) {
        std::printf("Icecast did not start: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    // A station already on the air has a full burst buffer for new listeners; a
    // freshly started mount has not, and the first listener would wait for it.
    QThread::sleep(5);
    timeToSound(server);
    memoryAfterPlayback(server);
    return 0;
}
