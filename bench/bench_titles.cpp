// A soak of title changes: the stream player plays a loopback Icecast MP3
// mount whose title changes every second through Icecast's admin API. Prints
// the resident memory every 10 s (raw samples) and the growth per hour drawn
// from them by least squares; a flat figure means titles keep nothing.
//   bench_titles [minutes, default 1]
#include "IcecastServer.h"
#include "PlayerWait.h"
#include "ProcessUsage.h"
#include "stream/MediaPlayer.h"
#include "stream/gst/GstStreamEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qputenv("SKYTUNER_AUDIO_SINK", "fakesink sync=true");
    const double minutes = app.arguments().value(1, QStringLiteral("1")).toDouble();
    IcecastServer icecast;
    if (!icecast.start()) {
        std::printf("Icecast did not start: %s\n", qPrintable(icecast.errorString()));
        return 1;
    }
    MediaPlayer player{GstStreamEngine::create()};
    player.setURL(icecast.mp3Url());
    if (!PlayerWait::forState(player, PlayState::Playing, 20000))
        return 1;

    int sent = 0;
    int seen = 0;
    QString lastStatus = player.status();
    QObject::connect(&player, &MediaPlayer::StatusChange, &app, [&] {
        if (player.status() != lastStatus)
            ++seen;
        lastStatus = player.status();
    });
    QTimer titles;
    QObject::connect(&titles, &QTimer::timeout, &app, [&] {
        icecast.setTitle(QString::fromLatin1(IcecastServer::Mp3Mount),
                         QStringLiteral("Interpret %1 - Píseň číslo %1").arg(++sent));
    });
    titles.start(1000);

    QList<double> seconds, rss;
    QElapsedTimer clock;
    clock.start();
    auto sample = [&] {
        seconds << clock.elapsed() / 1000.0;
        rss << ProcessUsage::now().rssMiB;
        std::printf("  %6.0f s  rss %.2f MiB  titles sent %d, shown %d\n", seconds.last(),
                    rss.last(), sent, seen);
        std::fflush(stdout);
    };
    std::printf("Title every second for %.1f min:\n", minutes);
    sample();
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, &app, sample);
    sampler.start(10000);
    QTimer::singleShot(int(minutes * 60000), &app, &QCoreApplication::quit);
    app.exec();
    sample();

    // The slope of the samples after the first (the first holds start-up).
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (qsizetype i = 1; i < seconds.size(); ++i) {
        n += 1;
        sx += seconds[i];
        sy += rss[i];
        sxx += seconds[i] * seconds[i];
        sxy += seconds[i] * rss[i];
    }
    const double slope = n > 1 ? (n * sxy - sx * sy) / (n * sxx - sx * sx) : 0;
    std::printf("resident memory growth: %.2f MiB per hour (%d titles sent, %d shown; "
                "24 h: %.1f MiB)\n",
                slope * 3600, sent, seen, slope * 86400);
    return 0;
}
