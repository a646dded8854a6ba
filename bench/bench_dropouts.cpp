// Drop-outs on a real sound server under load. The program (offscreen,
// "autostart", the animation off, the sink it finds as a user's would, with
// its own buffer settings) and a bare gst-launch-1.0 playbin (pulsesink with
// its defaults) play the tests' Icecast MP3 stream at the same time, each
// through its own private PulseAudio server, while busy threads keep every core
// loaded. The servers' logs count the underruns; CPU and wake-ups of the
// players and of their servers come from /proc. Prints figures; no pass/fail.
//   bench_dropouts [seconds, default 60] [busy threads, default two per core; 0: idle]
#include "BenchProgram.h"
#include "ChildProcess.h"
#include "IcecastServer.h"
#include "PulseServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int WarmUpSeconds = 8; // connected, buffered and playing

// Spinning threads at normal priority, as a busy desktop's compile or browser tab.
class BusyCores
{
public:
    explicit BusyCores(int threads)
    {
        for (int i = 0; i < threads; ++i)
            m_threads.emplace_back([this] {
                volatile unsigned long n = 0;
                while (!m_stop.load(std::memory_order_relaxed))
                    n = n + 1;
            });
    }
    ~BusyCores()
    {
        m_stop = true;
        for (std::thread& t : m_threads)
            t.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

struct Player
{
    explicit Player(const char* name) : name(name) {}
    const char* name;
    PulseServer server;
    QProcess process;
    int underruns = 0;
    Bench::ProcCounters self, sound;
};

void snapshot(Player& p, int sign)
{
    const Bench::ProcCounters self = Bench::countersOf(p.process.processId());
    const Bench::ProcCounters sound = Bench::countersOf(p.server.processId());
    p.underruns += sign * p.server.underruns();
    for (auto [to, from] : {std::pair{&p.self, &self}, std::pair{&p.sound, &sound}}) {
        to->cpuSeconds += sign * from->cpuSeconds;
        to->voluntary += sign * from->voluntary;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = std::max(1, app.arguments().value(1, QStringLiteral("60")).toInt());
    const int busy =
        app.arguments().value(2, QString::number(2 * QThread::idealThreadCount())).toInt();
    IcecastServer icecast;
    if (!icecast.start()) {
        std::printf("Icecast did not start: %s\n", qPrintable(icecast.errorString()));
        return 1;
    }
    Player players[2] = {Player("skytuner"), Player("bare playbin")};
    for (Player& p : players)
        if (!p.server.start()) {
            std::printf("%s\n", qPrintable(p.server.errorString()));
            return 1;
        }
    QTemporaryDir home;
    Bench::writeSettings(home.path(),
                         Bench::autostartLines(icecast.mp3Url()) + QStringLiteral("anim=0\r\n"));
    QProcessEnvironment ours = Bench::programEnvironment(home.path());
    ours.remove("SKYTUNER_AUDIO_SINK");
    players[0].server.addTo(ours);
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    players[1].server.addTo(bare);
    for (auto [p, environment] : {std::pair{&players[0], &ours}, std::pair{&players[1], &bare}}) {
        p->process.setProcessEnvironment(*environment);
        p->process.setStandardOutputFile(QProcess::nullDevice());
        p->process.setStandardErrorFile(QProcess::nullDevice());
        ChildProcess::killWithTest(&p->process);
    }
    players[0].process.start(Bench::skytunerProgram(), {});
    players[1].process.start(QStringLiteral("gst-launch-1.0"),
                             {"playbin", "uri=" + icecast.mp3Url(), "audio-sink=pulsesink"});
    for (Player& p : players)
        p.process.waitForStarted(5000);
    QThread::sleep(WarmUpSeconds);
    {
        BusyCores load(busy);
        for (Player& p : players)
            snapshot(p, -1);
        QThread::sleep(seconds);
        for (Player& p : players)
            snapshot(p, +1);
    }
    std::printf("Drop-outs on a PulseAudio null sink, %d s, %d busy threads on %d cores, both "
                "players at once, each with its own server:\n",
                seconds, busy, QThread::idealThreadCount());
    for (Player& p : players) {
        const bool alive = !p.process.waitForFinished(0) && p.process.state() == QProcess::Running;
        std::printf("  %-12s  %d underruns = %.2f /min   CPU %.2f %%, %.1f wake-ups/s; its "
                    "server %.2f %%, %.1f wake-ups/s%s\n    streams asked for: %s\n",
                    p.name, p.underruns, p.underruns * 60.0 / seconds,
                    100 * p.self.cpuSeconds / seconds, double(p.self.voluntary) / seconds,
                    100 * p.sound.cpuSeconds / seconds, double(p.sound.voluntary) / seconds,
                    alive ? "" : "  (ENDED EARLY)",
                    qPrintable(p.server.requestedBuffers().join(QStringLiteral("; "))));
        ChildProcess::stop(&p.process);
    }
    if (players[1].underruns > 0)
        std::printf("  ratio %.2f\n", double(players[0].underruns) / players[1].underruns);
    else
        std::printf("  ratio: none in the reference; skytuner %s\n",
                    players[0].underruns ? "had some" : "none either");
    std::printf("  (an underrun: the server found a stream's queue empty when its sink needed "
                "samples; wake-ups are voluntary context switches of all threads)\n");
    return 0;
}
