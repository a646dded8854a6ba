// The stream player on rtsp:// addresses against a real RTSP server of the
// tests' own (a live MP3 tone), all on 127.0.0.1: playing with audio at the
// sink, stop and play, UDP blocked, a server that accepts and never answers, a
// refused port, and a server that vanishes or hangs mid-stream and comes back,
// or does not.
#include "AudioRecording.h"
#include "FaultServer.h"
#include "PlayerWait.h"
#include "RtspServer.h"
#include "TestFolders.h"
#include "stream/MediaPlayer.h"
#include "stream/PlaybackStateMachine.h"
#include "stream/gst/GstStreamEngine.h"

#include <QtTest>

#include <algorithm>

using namespace AudioRecording;

namespace {

// The player's own time-out is about 10 s; a busy machine gets some slack.
constexpr int TimeoutBoundMs = 20000;
// Playing to a second of audio at the sink.
constexpr int AudioMs = 6000;

using PlayerWait::forState;
using PlayerWait::returnsAtOnce;

// A player whose audio goes into a file in the test's folder.
struct RecordingPlayer
{
    qint64 size() const { return QFileInfo(file).size(); }
    // The tone is in both channels of the recording from byte `from` (default:
    // its last second); the levels are logged when it is not.
    bool sounds(qint64 from = -1) const
    {
        const QByteArray raw = TestFolders::readBytes(file);
        const Levels l = measure(raw, from < 0 ? raw.size() - BytesPerSecond : from, raw.size());
        if (std::min(l.left, l.right) > 3000)
            return true;
        qWarning("levels %g %g", l.left, l.right);
        return false;
    }
    QString file;
    EnvironmentOverride sink{"SKYTUNER_AUDIO_SINK", sinkInto(file)};
    MediaPlayer player{GstStreamEngine::create()};
};

} // namespace

class TestMediaPlayerRtsp : public QObject
{
    Q_OBJECT

    RtspServer m_rtsp;
    FaultServer m_faults; // its black hole
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_rtsp.start(), qPrintable(m_rtsp.errorString()));
        QVERIFY2(m_faults.start(), qPrintable(m_faults.errorString()));
    }

    void init()
    {
        if (!m_rtsp.running())
            QVERIFY2(m_rtsp.start(), qPrintable(m_rtsp.errorString()));
    }

    void cleanupTestCase() { m_rtsp.stop(); }

    // The tone reaches the sink; stop is state 1 at once and play starts it again.
    void playsWithAudioStopsAndPlaysAgain()
    {
        RecordingPlayer r{m_dir.filePath(QStringLiteral("rtsp.raw"))};
        MediaPlayer& player = r.player;
        QVERIFY(returnsAtOnce([&] { player.setURL(m_rtsp.url()); }));
        QCOMPARE(player.playState(), PlayState::Transitioning);
        QVERIFY(forState(player, PlayState::Playing));
        QCOMPARE(player.status().left(10), QStringLiteral("Přehrávání"));
        // State 3 comes when the pipeline runs; RTP then waits out rtspsrc's
        // jitter buffer (2 s) before the first sample plays.
        QTRY_VERIFY_WITH_TIMEOUT(r.size() > 3 * BytesPerSecond / 2, AudioMs);
        QVERIFY(r.sounds());
        QVERIFY(returnsAtOnce([&] { player.controls().stop(); }));
        QCOMPARE(player.playState(), PlayState::Stopped);
        QVERIFY(returnsAtOnce([&] { player.controls().play(); }));
        QVERIFY(forState(player, PlayState::Playing));
    }

    // RTP over UDP never arrives (a firewall): the player falls back to RTP in
    // the RTSP connection before its own time-out, and keeps playing.
    void blockedUdpFallsBackToTcp()
    {
        RecordingPlayer r{m_dir.filePath(QStringLiteral("tcp.raw"))};
        MediaPlayer& player = r.player;
        QList<int> states;
        connect(&player, &MediaPlayer::StatusChange, this, [&] {
            if (states.isEmpty() || states.last() != player.playState())
                states << player.playState();
        });
        QElapsedTimer elapsed;
        elapsed.start();
        player.setURL(m_rtsp.url("/udp-lost"));
        QVERIFY(forState(player, PlayState::Playing));
        QTRY_VERIFY_WITH_TIMEOUT(r.size() > BytesPerSecond, TimeoutBoundMs);
        // Past the stall watch's limit from the start, still playing the whole time.
        QTest::qWait(int(std::max<qint64>(0, 13000 - elapsed.elapsed())));
        QCOMPARE(player.playState(), PlayState::Playing);
        QCOMPARE(states, (QList<int>{PlayState::Transitioning, PlayState::Playing}));
        QVERIFY(r.sounds());
    }

    // Accepted and never answered: the error state with the time-out as its
    // cause, bounded, and no call waits for the network.
    void silentServerTimesOut()
    {
        const QString hole = m_faults.url("/blackhole").replace("http:", "rtsp:");
        MediaPlayer player{GstStreamEngine::create()};
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(returnsAtOnce([&] { player.setURL(hole); }));
        QTRY_VERIFY_WITH_TIMEOUT(m_faults.requests("/blackhole") > 0, 5000);
        QVERIFY(forState(player, PlayState::Ready, TimeoutBoundMs));
        QVERIFY2(elapsed.elapsed() < TimeoutBoundMs,
                 qPrintable(QString::number(elapsed.elapsed())));
        QCOMPARE(player.status(),
                 QStringLiteral("Chyba: server 127.0.0.1 neodpovídá (vypršel časový limit)"));

        // Stopping while the connection hangs returns at once, and so does the next address.
        player.setURL(hole);
        QTest::qWait(300);
        QVERIFY(returnsAtOnce([&] {
            player.controls().stop();
            player.setURL(hole);
            player.setURL(QString());
        }));
        QCOMPARE(player.playState(), PlayState::Stopped);
        // Tearing the hung connections down holds up no other station.
        player.setURL(m_rtsp.url());
        QVERIFY(forState(player, PlayState::Playing));
    }

    // Trouble mid-stream, one after the other: the server hangs (connections
    // open, nothing sent) and the stall watch notices; it vanishes and the
    // player plays again, with audio, once it is back; then it stays away: the
    // bounded tries, and state 10 naming the refused port.
    void serverTroubleWhilePlaying()
    {
        RecordingPlayer r{m_dir.filePath(QStringLiteral("back.raw"))};
        MediaPlayer& player = r.player;
        player.setURL(m_rtsp.url());
        QVERIFY(forState(player, PlayState::Playing));
        QTest::qWait(500);
        m_rtsp.freeze(true);
        auto thaw = qScopeGuard([this] { m_rtsp.freeze(false); });
        QVERIFY(forState(player, PlayState::Reconnecting, TimeoutBoundMs));
        m_rtsp.freeze(false);
        QVERIFY(forState(player, PlayState::Playing, 2 * TimeoutBoundMs));

        QTest::qWait(500);
        m_rtsp.stop();
        QVERIFY(forState(player, PlayState::Reconnecting, TimeoutBoundMs));
        QVERIFY(player.status().startsWith(QStringLiteral("Obnovování spojení (")));
        QVERIFY2(m_rtsp.start(), qPrintable(m_rtsp.errorString()));
        QVERIFY(forState(player, PlayState::Playing, TimeoutBoundMs + 15000));
        const qint64 resumedAt = r.size();
        QTRY_VERIFY_WITH_TIMEOUT(r.size() > resumedAt + BytesPerSecond, AudioMs);
        QVERIFY(r.sounds(resumedAt + BytesPerSecond / 4));

        m_rtsp.stop();
        QVERIFY(forState(player, PlayState::Reconnecting, TimeoutBoundMs));
        int backoff = 0;
        for (int attempt = 1; attempt <= PlaybackStateMachine::MaxReconnects; ++attempt)
            backoff += PlaybackStateMachine::backoffMs(attempt);
        QVERIFY(forState(player, PlayState::Ready, backoff + TimeoutBoundMs));
        // The last try found the port closed.
        QCOMPARE(player.status(), QStringLiteral("Chyba: server 127.0.0.1 odmítl spojení"));
    }
};

QTEST_GUILESS_MAIN(TestMediaPlayerRtsp)
#include "tst_mediaplayer_rtsp.moc"
