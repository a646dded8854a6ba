// The stream player against a real Icecast server and a misbehaving one of our
// own, all on 127.0.0.1. Audio goes into a clocked file sink, so levels are
// measured on what the player really played out.
#include "AudioRecording.h"
#include "FaultServer.h"
#include "IcecastServer.h"
#include "PlayerWait.h"
#include "ProcessUsage.h"
#include "TestFolders.h"
#include "common/Version.h"
#include "stream/MediaPlayer.h"
#include "stream/gst/GstStreamEngine.h"

#include <QtTest>

#include <gst/gst.h>

using namespace AudioRecording;
using PlayerWait::returnsAtOnce;

class TestMediaPlayer : public QObject
{
    Q_OBJECT

    IcecastServer m_icecast;
    FaultServer m_faults;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_icecast.start(), qPrintable(m_icecast.errorString()));
        QVERIFY2(m_faults.start(), qPrintable(m_faults.errorString()));
    }

    void cleanupTestCase() { m_icecast.stop(); }

    // Both mounts at once: two players, audio into a sink, titles into the status,
    // notifications on the owner's thread. Balance reaches the sink's channels:
    // 50 leaves the right side as it was and halves the left (-6 dB). Title
    // changes, stop and play, volume and mute at the sink are shown by the
    // program's own tests.
    void mountsPlayWithTitlesAndBalance()
    {
        MediaPlayer mp3{GstStreamEngine::create()};
        MediaPlayer ogg{GstStreamEngine::create()};
        QThread* notifiedOn = nullptr;
        connect(&mp3, &MediaPlayer::StatusChange, this,
                [&] { notifiedOn = QThread::currentThread(); });

        const QString mp3File = m_dir.filePath(QStringLiteral("mp3.raw"));
        const QString oggFile = m_dir.filePath(QStringLiteral("ogg.raw"));
        {
            EnvironmentOverride sink("SKYTUNER_AUDIO_SINK", sinkInto(mp3File));
            mp3.setURL(m_icecast.mp3Url());
        }
        {
            EnvironmentOverride sink("SKYTUNER_AUDIO_SINK", sinkInto(oggFile));
            ogg.setURL(m_icecast.oggUrl());
        }
        QVERIFY(PlayerWait::forState(mp3, PlayState::Playing));
        QVERIFY(PlayerWait::forState(ogg, PlayState::Playing));
        QCOMPARE(notifiedOn, QThread::currentThread());
        QTRY_COMPARE_WITH_TIMEOUT(mp3.status(),
                                  QStringLiteral("Přehrávání: ") + IcecastServer::Mp3Title, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(ogg.status(),
                                  QStringLiteral("Přehrávání: ") + IcecastServer::OggTitle, 10000);
        QTest::qWait(1000);
        const auto lastSecond = [](const QString& file) {
            const QByteArray raw = TestFolders::readBytes(file);
            return measure(raw, raw.size() - BytesPerSecond, raw.size());
        };
        const Levels centre = lastSecond(mp3File), b = lastSecond(oggFile);
        QVERIFY2(centre.left > 3000 && centre.right > 3000, "MP3 mount plays no audio");
        QVERIFY2(b.left > 3000 && b.right > 3000, "Ogg mount plays no audio");

        mp3.settings().setBalance(50);
        QTest::qWait(1600); // the change heard, then a second of it
        const Levels right = lastSecond(mp3File);
        QVERIFY2(std::abs(decibels(right.left, centre.left) - decibels(0.5, 1.0)) <= 0.5,
                 "balance 50 is not half on the left");
        QVERIFY(std::abs(decibels(right.right, centre.right)) <= 0.5);
    }

    // Each fault ends in state 10 with its cause; all at once, so one waits ~10 s in all.
    void faultsEndInErrorWithTheirCause()
    {
        const QList<std::tuple<QString, QString, QByteArray>> cases = {
            // address, cause, sink
            {m_faults.refusedUrl(), "odmítl spojení", {}},
            {m_faults.url("/404"), "HTTP 404", {}},
            {m_faults.url("/blackhole"), "neodpovídá", {}},
            {m_faults.url("/endless-headers"), "neposlal platnou odpověď", {}},
            {m_faults.url("/garbage"), "neposlal platnou odpověď", {}},
            {m_faults.url("/noise"), "nevede na zvukový stream", {}},
            {m_faults.url("/dead.pls"),
             "odmítl spojení, vyzkoušeno adres ze seznamu: 20 z 500",
             {}},
            {"mms://127.0.0.1:1/live", "nepodporovaný protokol (chybí ", {}},
            {m_icecast.mp3Url(), "zvukový výstup", "no-such-sink-element"}, // no audio output
        };
        std::vector<std::unique_ptr<MediaPlayer>> players;
        QElapsedTimer calls;
        calls.start();
        for (const auto& [url, cause, sink] : cases) {
            players.push_back(std::make_unique<MediaPlayer>(GstStreamEngine::create()));
            std::optional<EnvironmentOverride> output;
            if (!sink.isEmpty())
                output.emplace("SKYTUNER_AUDIO_SINK", sink);
            QVERIFY(returnsAtOnce([&] { players.back()->setURL(url); }));
        }
        QDeadlineTimer deadline(25000);
        for (std::size_t i = 0; i < players.size(); ++i) {
            QVERIFY(
                PlayerWait::forState(*players[i], PlayState::Ready, int(deadline.remainingTime())));
            const QString status = players[i]->status();
            QVERIFY2(status.startsWith("Chyba") && status.contains(std::get<1>(cases[i])),
                     qPrintable(std::get<0>(cases[i]) + ": " + status));
        }
        QVERIFY(calls.elapsed() < 20000);
        // A black hole never blocks stopping either.
        MediaPlayer hole{GstStreamEngine::create()};
        hole.setURL(m_faults.url("/blackhole"));
        QTest::qWait(300);
        QVERIFY(returnsAtOnce([&] {
            hole.controls().stop();
            hole.setURL(m_faults.url("/blackhole"));
            hole.setURL(QString());
        }));
    }

    // A stream whose decoder is missing names what is missing.
    void missingDecoderIsNamed()
    {
        gst_init(nullptr, nullptr);
        // Every installed MP3 decoder drops out of automatic selection for a moment.
        GList* decoders = gst_element_factory_list_get_elements(
            GST_ELEMENT_FACTORY_TYPE_DECODER | GST_ELEMENT_FACTORY_TYPE_MEDIA_AUDIO,
            GST_RANK_MARGINAL);
        GstCaps* mp3 = gst_caps_from_string("audio/mpeg,mpegversion=1,layer=3,parsed=true");
        GList* matching = gst_element_factory_list_filter(decoders, mp3, GST_PAD_SINK, FALSE);
        QList<QPair<GstPluginFeature*, guint>> lowered;
        for (GList* l = matching; l; l = l->next) {
            auto* f = GST_PLUGIN_FEATURE(gst_object_ref(l->data));
            lowered.append({f, gst_plugin_feature_get_rank(f)});
            gst_plugin_feature_set_rank(f, GST_RANK_NONE);
        }
        gst_plugin_feature_list_free(matching);
        gst_plugin_feature_list_free(decoders);
        gst_caps_unref(mp3);
        QVERIFY(!lowered.isEmpty());
        auto restore = qScopeGuard([&] {
            for (const auto& [feature, rank] : lowered) {
                gst_plugin_feature_set_rank(feature, rank);
                gst_object_unref(feature);
            }
        });
        MediaPlayer player{GstStreamEngine::create()};
        player.setURL(m_icecast.mp3Url());
        QVERIFY(PlayerWait::forState(player, PlayState::Ready));
        QVERIFY2(player.status().startsWith(
                     QStringLiteral("Chyba: nepodporovaný formát zvuku (chybí ")) &&
                     player.status().contains(QLatin1String("MPEG")),
                 qPrintable(player.status()));
    }

    // Without an output override the system default is used; with no sound
    // server at all it says so instead of playing into nothing.
    void noSoundServerIsReported()
    {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (QFile::exists(QString::fromLocal8Bit(runtime) + QStringLiteral("/pulse/native")) ||
            QFile::exists(QStringLiteral("/run/user/0/pulse/native")))
            QSKIP("a sound server is running here");
        EnvironmentOverride sink("SKYTUNER_AUDIO_SINK", QByteArray());
        MediaPlayer player{GstStreamEngine::create()};
        // Probing the outputs happens off this thread.
        QVERIFY(returnsAtOnce([&] { player.setURL(m_icecast.mp3Url()); }));
        QVERIFY(PlayerWait::forState(player, PlayState::Ready));
        QCOMPARE(player.status(), QStringLiteral("Chyba: není k dispozici žádný zvukový výstup"));
    }

    // Changes between the mounts and refused plays: each closed pipeline is finalised with its
    // threads, sockets and memory.
    void stationChangesLeaveNothingBehind()
    {
        MediaPlayer player{GstStreamEngine::create()};
        ProcessUsage before;
        int lost = 0; // now and then Icecast drops a listener that rejoins at once
        for (int i = 0; i < 108; ++i) {
            if (i == 8)
                before = ProcessUsage::now();
            const bool refused = i < 8 ? i >= 4 : i >= 58; // 4 + 4 to warm up, then 50 + 50
            player.setURL(refused ? m_faults.refusedUrl()
                          : i % 2 ? m_icecast.oggUrl()
                                  : m_icecast.mp3Url());
            if (!PlayerWait::forState(player, refused ? PlayState::Ready : PlayState::Playing))
                QVERIFY(!refused && player.playState() == PlayState::Ready && ++lost <= 3);
        }
        QTest::qWait(500); // the last teardown runs on its own thread
        const ProcessUsage after = ProcessUsage::now();
        QVERIFY2(after.threads <= before.threads + 2 &&
                     after.descriptors <= before.descriptors + 5 &&
                     after.rssMiB <= before.rssMiB + 5,
                 qPrintable(before.text() + " -> " + after.text()));
    }

    // Data too slow to keep the audio going is a lost stream, however steadily it trickles.
    void tricklingStreamIsLost()
    {
        for (const auto& [after, state] :
             {std::pair{0, PlayState::Ready}, {1000, PlayState::Reconnecting}}) {
            m_faults.setTrickleAfterMs(after);
            auto engine = std::make_unique<GstStreamEngine>();
            engine->setStarveLimitMs(2000);
            MediaPlayer player{std::move(engine)};
            player.setURL(m_faults.url("/trickle.mp3"));
            QVERIFY(PlayerWait::forState(player, state));
            QVERIFY(player.status().contains(after ? "Obnovování"
                                                   : "server 127.0.0.1 neposílá data dost rychle"));
        }
    }

    void droppedStreamReconnects()
    {
        m_faults.setDropAfterMs(2500);
        MediaPlayer player{GstStreamEngine::create()};
        player.setURL(m_faults.url("/drop.mp3"));
        QVERIFY(PlayerWait::forState(player, PlayState::Playing));
        QVERIFY(PlayerWait::forState(player, PlayState::Reconnecting, 15000));
        QCOMPARE(player.status(), QStringLiteral("Obnovování spojení (1/5)..."));
        QVERIFY(PlayerWait::forState(player, PlayState::Playing));
        QVERIFY(m_faults.requests("/drop.mp3") >= 2);
        QCOMPARE(m_faults.lastUserAgent(), Version::userAgent().toUtf8());
    }

    void oversizedIcyMetadataIsBounded()
    {
        MediaPlayer player{GstStreamEngine::create()};
        player.setURL(m_faults.url("/icy-big.mp3"));
        QVERIFY(PlayerWait::forState(player, PlayState::Playing));
        QTRY_VERIFY_WITH_TIMEOUT(player.status().contains(QLatin1String("AAAA")), 10000);
        QVERIFY(player.status().size() <= 220);
    }

    // A local file (by plain path with blanks and Czech letters, and through a
    // local playlist) plays to its end: state 8.
    void localFilePlaysToItsEnd()
    {
        const QString path = m_dir.filePath(QStringLiteral("krátká píseň.mp3"));
        QVERIFY(TestFolders::writeBytes(path, m_faults.mp3Data().left(24000))); // 1.5 s
        const QString list = m_dir.filePath(QStringLiteral("seznam.m3u"));
        QVERIFY(TestFolders::writeBytes(list, "#EXTM3U\n" + path.toUtf8() + "\n"));
        for (const QString& address : {path, QUrl::fromLocalFile(list).toString()}) {
            MediaPlayer player{GstStreamEngine::create()};
            player.setURL(address);
            QCOMPARE(player.status(),
                     QStringLiteral("Otevírání souboru %1...").arg(QFileInfo(address).fileName()));
            QVERIFY(PlayerWait::forState(player, PlayState::Playing));
            QVERIFY(PlayerWait::forState(player, PlayState::MediaEnded, 5000));
            QCOMPARE(player.status(), QStringLiteral("Přehrávání skončilo"));
        }
    }

    void playlistsSkipTheDeadFirstEntry_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("played"); // what the server is asked for once the list is read
        // The formats themselves are the parser's; here a list found by name and by type.
        QTest::newRow("pls") << "/list.pls"
                             << "/stream.mp3";
        QTest::newRow("content type") << "/typed-list"
                                      << "/stream.mp3";
        // HLS is a stream, even when served with a playlist content type.
        QTest::newRow("hls") << "/hls/live.m3u8"
                             << "/hls/seg00000.ts";
    }

    void playlistsSkipTheDeadFirstEntry()
    {
        QFETCH(QString, path);
        QFETCH(QString, played);
        const int before = m_faults.requests(played);
        MediaPlayer player{GstStreamEngine::create()};
        player.setURL(m_faults.url(path));
        QVERIFY(PlayerWait::forState(player, PlayState::Playing));
        QVERIFY(m_faults.requests(played) > before);
        QCOMPARE(player.URL(), m_faults.url(path));
    }
};

QTEST_GUILESS_MAIN(TestMediaPlayer)
#include "tst_mediaplayer.moc"
