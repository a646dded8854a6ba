// The real skytuner program, started as a user starts it (offscreen platform):
//   1. process start to the main window's first paint with a 1025-station list
//      (target under 250 ms);
//   2. with "autostart", process start to playing (the first audio reached the
//      sink) beside a bare gst-launch-1.0 playbin on the same stream, same run
//      (target at most 1.0 x the bare engine);
//   3. resident memory after 30 s of playback (target under 80 MiB).
// The program logs "first paint" and "state 3" (skytuner.player.info).
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
#include <vector>

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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QProcessEnvironment programEnvironment(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SKYTUNER_HOME", home);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QT_LOGGING_RULES", qEnvironmentVariableIsSet("BENCH_VERBOSE")
                                               ? "skytuner.*.info=true;skytuner.*.debug=true"
                                               : "skytuner.player.info=true");
    environment.insert("QT_MESSAGE_PATTERN", "%{time process} %{category} %{message}");
    if (!environment.contains("SKYTUNER_AUDIO_SINK"))
        environment.insert("SKYTUNER_AUDIO_SINK", "fakesink sync=true");
    return environment;
}

void writeSettings(const QString& home, const QString& lines)
{
    TestFolders::writeBytes(home + "/skytuner.ini",
                            AnsiCodePage::encode(QString(QStringLiteral("[PLAYER]\r\n") + lines)));
}

const QString Skytuner = QStringLiteral(SKYTUNER_BINARY_DIR "/skytuner");

void firstPaint()
{
    QTemporaryDir home;
    QString list;
    for (int i = 0; i < 1025; ++i)
        list += QStringLiteral("[STATION:]Stanice č. %1|http://127.0.0.1:9/%2|0|16777215|0|1\r\n")
                    .arg((i * 7919) % 1025)
                    .arg(i);
    TestFolders::writeBytes(home.filePath("big.tlist"), AnsiCodePage::encode(list));
    writeSettings(home.path(), QStringLiteral("list=%1\r\n").arg(home.filePath("big.tlist")));
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        Program program;
        program.start(Skytuner, {}, programEnvironment(home.path()), false);
        times.push_back(program.waitFor("first paint", 10000));
    }
    std::printf("start to first paint, 1025 stations: median %.1f ms of %d runs "
                "(target < 250 ms)\n",
                median(times), Runs);
}

void timeToSound(const IcecastServer& server)
{
    QTemporaryDir home;
    writeSettings(home.path(),
                  QStringLiteral("autostart=1\r\nlasturl=%1\r\n").arg(server.mp3Url()));
    std::vector<double> ours;
    std::vector<double> bare;
    std::vector<double> barePlaying;
    for (int run = 0; run < Runs; ++run) {
        {
            Program program;
            program.start(Skytuner, {}, programEnvironment(home.path()), false);
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
                median(ours), median(bare), median(barePlaying), median(ours) / median(barePlaying),
                median(ours) / median(bare));
}

void memoryAfterPlayback(const IcecastServer& server)
{
    QTemporaryDir home;
    writeSettings(home.path(),
                  QStringLiteral("autostart=1\r\nlasturl=%1\r\n").arg(server.mp3Url()));
    Program program;
    program.start(Skytuner, {}, programEnvironment(home.path()), false);
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
