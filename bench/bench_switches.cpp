// What station changes cost over time: switches between the two mounts of a
// loopback Icecast server, each waiting for sound, then plays of an address
// that refuses the connection. Prints the threads, descriptors and resident
// memory of the process every 100 of them; flat figures mean nothing leaks.
//   bench_switches [switches, default 300] [refused plays, default 100]
#include "FaultServer.h"
#include "IcecastServer.h"
#include "PlayerWait.h"
#include "ProcessUsage.h"
#include "stream/MediaPlayer.h"
#include "stream/gst/GstStreamEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

namespace {

void run(MediaPlayer& player, const char* what, int count, const QStringList& urls, int state)
{
    std::printf("%s:\n  %5d  %s\n", what, 0, qPrintable(ProcessUsage::now().text()));
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i <= count; ++i) {
        player.setURL(urls[i % urls.size()]);
        if (!PlayerWait::forState(player, state, 20000))
            std::printf("  %5d  stuck: %s\n", i, qPrintable(player.status()));
        if (i % 100 == 0 || i == count) {
            QTest::qWait(500); // the last teardown finishes on its own thread
            std::printf("  %5d  %s  (%.0f ms each)\n", i, qPrintable(ProcessUsage::now().text()),
                        double(clock.elapsed()) / i);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qputenv("SKYTUNER_AUDIO_SINK", "fakesink sync=true");
    const int switches = app.arguments().value(1, QStringLiteral("300")).toInt();
    const int refused = app.arguments().value(2, QStringLiteral("100")).toInt();
    IcecastServer icecast;
    FaultServer faults;
    if (!icecast.start() || !faults.start()) {
        std::printf("servers did not start: %s%s\n", qPrintable(icecast.errorString()),
                    qPrintable(faults.errorString()));
        return 1;
    }
    MediaPlayer player{GstStreamEngine::create()};
    run(player, "Switches between two Icecast mounts", switches,
        {icecast.mp3Url(), icecast.oggUrl()}, PlayState::Playing);
    run(player, "Plays of an address that refuses the connection", refused, {faults.refusedUrl()},
        PlayState::Ready);
    return 0;
}
