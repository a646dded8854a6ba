// Start-up time, CPU and wake-ups of the stream player beside a bare playbin,
// both playing the same loopback Icecast MP3 mount in the same run. Every
// measurement runs in a fresh child process, so plugin loading counts as it
// does for a user. Then the whole program (offscreen, "autostart") with the
// icon animation off and on, beside gst-launch-1.0 playbin, all three at once.
// Prints figures and ratios; it is not a pass/fail test.
//   bench_player [--program-only]
#include "BenchProgram.h"
#include "ChildProcess.h"
#include "IcecastServer.h"
#include "stream/MediaPlayer.h"
#include "stream/gst/GstStreamEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <gst/gst.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

constexpr int Rounds = 11;
constexpr int CpuSeconds = 30;
constexpr int CpuRounds = 3;

qint64 nowNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// A pipe into the sink: the first byte read is the first buffer the sink renders.
struct FirstByte
{
    int fds[2] = {-1, -1};
    std::atomic<qint64> at{0};
    std::thread reader;

    FirstByte()
    {
        if (pipe(fds) != 0)
            std::abort();
        reader = std::thread([this] {
            char buffer[65536];
            bool first = true;
            while (read(fds[0], buffer, sizeof buffer) > 0) {
                if (first)
                    at = nowNs();
                first = false;
            }
        });
        reader.detach();
    }
    QByteArray sink() const { return "fdsink sync=true fd=" + QByteArray::number(fds[1]); }
};

// What gst-play-1.0 does: PLAYING at once, paused while the buffer fills.
GstElement* startBare(const QString& url, const QByteArray& sinkDescription)
{
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    GstElement* sink = gst_parse_bin_from_description(sinkDescription.constData(), TRUE, nullptr);
    g_object_set(playbin, "uri", url.toUtf8().constData(), "audio-sink", sink, nullptr);
    GstBus* bus = gst_element_get_bus(playbin);
    gst_bus_add_watch(
        bus,
        [](GstBus*, GstMessage* m, gpointer data) -> gboolean {
            if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_BUFFERING) {
                gint percent = 0;
                gst_message_parse_buffering(m, &percent);
                gst_element_set_state(GST_ELEMENT(data),
                                      percent < 100 ? GST_STATE_PAUSED : GST_STATE_PLAYING);
            }
            return TRUE;
        },
        playbin);
    gst_object_unref(bus);
    gst_element_set_state(playbin, GST_STATE_PLAYING);
    return playbin;
}

int childFirstBuffer(const QString& engine, const QString& url, int warmMs)
{
    FirstByte probe;
    qputenv("SKYTUNER_AUDIO_SINK", probe.sink());
    std::unique_ptr<MediaPlayer> player;
    if (engine == QLatin1String("player")) {
        player = std::make_unique<MediaPlayer>(GstStreamEngine::create());
        player->settings().setVolume(100);
    } else {
        gst_init(nullptr, nullptr);
    }
    if (warmMs > 0)
        QThread::msleep(warmMs);
    const qint64 start = nowNs();
    if (player)
        player->setURL(url);
    else
        startBare(url, probe.sink());
    QElapsedTimer timeout;
    timeout.start();
    while (probe.at == 0 && timeout.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("first_ms %.1f\n", probe.at ? (probe.at - start) / 1e6 : -1.0);
    std::fflush(stdout);
    _exit(0); // no teardown: only the measurement matters
}

int childCpu(const QString& engine, const QString& url, const QString& decoder)
{
    if (engine == QLatin1String("player")) {
        // Set up as the program does; preferring a decoder is what is being compared.
        gst_init(nullptr, nullptr);
    }
    gst_init(nullptr, nullptr);
    if (!decoder.isEmpty())
        if (GstPluginFeature* f =
                gst_registry_lookup_feature(gst_registry_get(), decoder.toUtf8().constData())) {
            gst_plugin_feature_set_rank(f, GST_RANK_PRIMARY + 1);
            gst_object_unref(f);
        }
    const QByteArray sink = "fakesink sync=true";
    qputenv("SKYTUNER_AUDIO_SINK", sink);
    std::unique_ptr<MediaPlayer> player;
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    if (engine == QLatin1String("player")) {
        player = std::make_unique<MediaPlayer>(GstStreamEngine::create());
        player->settings().setVolume(100);
        player->setURL(url);
    } else {
        startBare(url, sink);
    }
    QTimer::singleShot(CpuSeconds * 1000, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    getrusage(RUSAGE_SELF, &after);
    auto seconds = [](const timeval& t) {
        return t.tv_sec + t.tv_usec / 1e6;
    };
    const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) +
                       seconds(after.ru_stime) - seconds(before.ru_stime);
    // A wake-up is a thread going to sleep and being woken again: a voluntary
    // switch. Preemptions measure the machine's load, not the engine.
    const long switches = after.ru_nvcsw - before.ru_nvcsw;
    std::printf("cpu_s %.3f wakeups %ld playing %d\n", cpu, switches,
                player ? player->playState() : 3);
    std::fflush(stdout);
    _exit(0);
}

QByteArray runChild(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), args);
    p.waitForFinished((CpuSeconds + 30) * 1000);
    return p.readAllStandardOutput();
}

// Both engines at the same time, so a burst of load on the machine hits both.
std::pair<QByteArray, QByteArray> runSideBySide(const QStringList& a, const QStringList& b)
{
    QProcess pa, pb;
    for (auto [p, args] : {std::pair{&pa, &a}, std::pair{&pb, &b}}) {
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), *args);
    }
    pa.waitForFinished((CpuSeconds + 30) * 1000);
    pb.waitForFinished((CpuSeconds + 30) * 1000);
    return {pa.readAllStandardOutput(), pb.readAllStandardOutput()};
}

double field(const QByteArray& out, const char* name)
{
    const QList<QByteArray> words = out.simplified().split(' ');
    const qsizetype i = words.indexOf(name);
    return i >= 0 && i + 1 < words.size() ? words[i + 1].toDouble() : -1;
}

QString chosenDecoder()
{
    gst_init(nullptr, nullptr);
    GList* all = gst_element_factory_list_get_elements(
        GST_ELEMENT_FACTORY_TYPE_DECODER | GST_ELEMENT_FACTORY_TYPE_MEDIA_AUDIO, GST_RANK_MARGINAL);
    GstCaps* mp3 = gst_caps_from_string("audio/mpeg,mpegversion=1,layer=3,parsed=true");
    GList* matching = gst_element_factory_list_filter(all, mp3, GST_PAD_SINK, FALSE);
    QStringList names;
    for (GList* l = matching; l; l = l->next)
        names << QString::fromUtf8(GST_OBJECT_NAME(l->data));
    gst_plugin_feature_list_free(matching);
    gst_plugin_feature_list_free(all);
    gst_caps_unref(mp3);
    return names.join(QStringLiteral(" > "));
}

struct ProgramFigures
{
    double cpuPercent = 0;
    double wakeups = 0; // voluntary and involuntary switches per second
    double voluntary = 0;
};

// The program with "anim" off and on and a bare gst-launch-1.0 playbin, all
// started together; measured over CpuSeconds once they have played a while.
QList<ProgramFigures> measurePrograms(const QString& url)
{
    QTemporaryDir homes[2];
    QList<QProcess*> processes;
    for (int anim = 0; anim < 2; ++anim) {
        Bench::writeSettings(homes[anim].path(),
                             Bench::autostartLines(url) + QStringLiteral("anim=%1\r\n").arg(anim));
        auto* p = new QProcess;
        p->setProcessEnvironment(Bench::programEnvironment(homes[anim].path()));
        processes << p;
    }
    processes << new QProcess;
    for (QProcess* p : processes) {
        p->setStandardOutputFile(QProcess::nullDevice());
        p->setStandardErrorFile(QProcess::nullDevice());
        ChildProcess::killWithTest(p);
    }
    processes[0]->start(Bench::skytunerProgram(), {});
    processes[1]->start(Bench::skytunerProgram(), {});
    processes[2]->start(QStringLiteral("gst-launch-1.0"),
                        {"playbin", "uri=" + url, "audio-sink=fakesink sync=true"});
    QThread::sleep(8); // started, connected and playing
    QList<Bench::ProcCounters> before, after;
    for (QProcess* p : processes)
        before << Bench::countersOf(p->processId());
    QThread::sleep(CpuSeconds);
    for (QProcess* p : processes)
        after << Bench::countersOf(p->processId());
    QList<ProgramFigures> figures;
    for (int i = 0; i < processes.size(); ++i) {
        ProgramFigures f;
        f.cpuPercent = 100 * (after[i].cpuSeconds - before[i].cpuSeconds) / CpuSeconds;
        f.voluntary = double(after[i].voluntary - before[i].voluntary) / CpuSeconds;
        f.wakeups = f.voluntary + double(after[i].involuntary - before[i].involuntary) / CpuSeconds;
        figures << f;
        ChildProcess::stop(processes[i]);
        delete processes[i];
    }
    return figures;
}

void printPrograms(QTextStream& out, const QString& url)
{
    QList<double> cpu[3], wake[3], vol[3];
    for (int round = 0; round < CpuRounds; ++round) {
        const QList<ProgramFigures> f = measurePrograms(url);
        for (int i = 0; i < 3; ++i) {
            cpu[i] << f[i].cpuPercent;
            wake[i] << f[i].wakeups;
            vol[i] << f[i].voluntary;
        }
    }
    out << "\nThe program (offscreen, autostart, clocked fake sink) beside gst-launch-1.0 "
           "playbin,\n"
        << "all three at once, " << CpuSeconds << " s each, median of " << CpuRounds
        << " rounds:\n";
    const char* names[] = {"animation off", "animation on ", "bare playbin "};
    for (int i = 0; i < 3; ++i)
        out << QStringLiteral(
                   "  %1  CPU %2 %  ratio %3   wake-ups %4 /s (voluntary %5)  ratio %6\n")
                   .arg(QLatin1String(names[i]))
                   .arg(Bench::median(cpu[i]), 0, 'f', 2)
                   .arg(Bench::median(cpu[i]) / Bench::median(cpu[2]), 0, 'f', 2)
                   .arg(Bench::median(wake[i]), 0, 'f', 1)
                   .arg(Bench::median(vol[i]), 0, 'f', 1)
                   .arg(Bench::median(wake[i]) / Bench::median(wake[2]), 0, 'f', 2);
    QList<double> added;
    for (int round = 0; round < CpuRounds; ++round)
        added << cpu[1][round] - cpu[0][round];
    out << QStringLiteral(
               "  the animation adds %1 CPU points (median of the rounds' differences)\n")
               .arg(Bench::median(added), 0, 'f', 2)
        << "  (targets: at most 150 wake-ups/s and 1.0 % with the animation off; it adds at "
           "most 0.2 points)\n";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args[1] == QLatin1String("--first"))
        return childFirstBuffer(args[2], args[3], args.value(4).toInt());
    if (args.size() >= 4 && args[1] == QLatin1String("--cpu"))
        return childCpu(args[2], args[3], args.value(4));

    QTextStream out(stdout);
    IcecastServer icecast;
    if (!icecast.start()) {
        out << "Icecast did not start: " << icecast.errorString() << Qt::endl;
        return 1;
    }
    const QString url = icecast.mp3Url();
    if (args.value(1) == QLatin1String("--serve")) {
        // For looking at one engine by hand: the server alone, for a while.
        out << url << Qt::endl;
        QThread::sleep(args.value(2, QStringLiteral("60")).toInt());
        return 0;
    }
    if (args.value(1) == QLatin1String("--program-only")) {
        QThread::sleep(5); // a full burst buffer, as for a station on the air
        printPrograms(out, url);
        return 0;
    }
    const QString bareDecoder = chosenDecoder(); // before the player sets its preference
    out << "Stream player benchmark on " << url << " (" << GstStreamEngine::gstreamerVersion()
        << ")\n";
    out << "MP3 decoders, bare playbin's order: " << bareDecoder
        << "; the player prefers mpg123audiodec\n\n";

    QList<double> bare, cold, warm;
    for (int i = 0; i < Rounds; ++i) {
        bare << field(runChild({"--first", "bare", url}), "first_ms");
        cold << field(runChild({"--first", "player", url}), "first_ms");
        warm << field(runChild({"--first", "player", url, "500"}), "first_ms");
    }
    auto list = [](const QList<double>& v) {
        QStringList s;
        for (double x : v)
            s << QString::number(x, 'f', 0);
        return s.join(QLatin1Char(' '));
    };
    const double b = Bench::median(bare), c = Bench::median(cold), w = Bench::median(warm);
    out << "Play to first audio buffer at the sink, median of " << Rounds << " fresh processes:\n";
    out << QStringLiteral("  bare playbin           %1 ms   [%2]\n")
               .arg(b, 0, 'f', 0)
               .arg(list(bare));
    out << QStringLiteral("  player, played at once %1 ms   [%2]  ratio %3\n")
               .arg(c, 0, 'f', 0)
               .arg(list(cold))
               .arg(c / b, 0, 'f', 2);
    out << QStringLiteral("  player, created 0.5 s before playing %1 ms   [%2]  ratio %3\n\n")
               .arg(w, 0, 'f', 0)
               .arg(list(warm))
               .arg(w / b, 0, 'f', 2);
    out.flush();

    QList<double> bareCpu, playerCpu, bareWake, playerWake, cpuRatio, wakeRatio;
    QList<double> states;
    for (int i = 0; i < CpuRounds; ++i) {
        const auto [bareOut, playerOut] =
            runSideBySide({"--cpu", "bare", url}, {"--cpu", "player", url});
        bareCpu << field(bareOut, "cpu_s");
        playerCpu << field(playerOut, "cpu_s");
        bareWake << field(bareOut, "wakeups") / CpuSeconds;
        playerWake << field(playerOut, "wakeups") / CpuSeconds;
        cpuRatio << playerCpu.last() / bareCpu.last();
        wakeRatio << playerWake.last() / bareWake.last();
        states << field(playerOut, "playing");
    }
    auto listed = [](const QList<double>& v, int decimals) {
        QStringList s;
        for (double x : v)
            s << QString::number(x, 'f', decimals);
        return s.join(QLatin1Char(' '));
    };
    out << "Over " << CpuSeconds << " s of playback (clocked fake sink, volume 100), both engines\n"
        << "side by side, median of " << CpuRounds << " rounds [each round]:\n";
    out << QStringLiteral("  CPU       bare %1 s   player %2 s   ratio %3   [%4]\n")
               .arg(Bench::median(bareCpu), 0, 'f', 3)
               .arg(Bench::median(playerCpu), 0, 'f', 3)
               .arg(Bench::median(cpuRatio), 0, 'f', 2)
               .arg(listed(cpuRatio, 2));
    out << QStringLiteral("  wake-ups  bare %1 /s  player %2 /s  ratio %3   [%4]\n")
               .arg(Bench::median(bareWake), 0, 'f', 1)
               .arg(Bench::median(playerWake), 0, 'f', 1)
               .arg(Bench::median(wakeRatio), 0, 'f', 2)
               .arg(listed(wakeRatio, 2));
    out << "  (player state at the end of each round: " << listed(states, 0) << ")\n"
        << "  Wake-ups are voluntary context switches of all threads of the process.\n";
    out.flush();
    printPrograms(out, url);
    return 0;
}
