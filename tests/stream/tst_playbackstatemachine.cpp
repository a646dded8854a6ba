// The player's state logic without a media engine: every transition, the status
// texts, reconnecting with back-off and walking through playlist entries.
#include "stream/PlaybackStateMachine.h"

#include <QtTest>

using SM = PlaybackStateMachine;

class TestPlaybackStateMachine : public QObject
{
    Q_OBJECT

    qint64 m_now = 1000;

    // A machine on the test's clock, optionally already playing `address`.
    SM machine(const QString& address = {})
    {
        SM sm;
        sm.setClock([this] { return m_now; });
        if (!address.isEmpty()) {
            sm.open(address);
            sm.audioStarted();
        }
        return sm;
    }

    static StreamError error(StreamError::Kind kind) { return StreamError::make(kind); }

    static PlaylistParser::Result list(const QStringList& entries)
    {
        PlaylistParser::Result r;
        r.entries = entries;
        return r;
    }

private Q_SLOTS:
    void startsUndefinedAndEmptyAddressDoesNothing()
    {
        SM sm = machine();
        const auto c = sm.open(QString());
        QVERIFY(c.open.isEmpty() && c.fetch.isEmpty());
        QVERIFY(sm.play().open.isEmpty());
        QVERIFY(!sm.stop().close);
        QCOMPARE(sm.state(), SM::Undefined);
    }

    void connectBufferPlayStop()
    {
        SM sm = machine();
        auto c = sm.open(QStringLiteral("http://127.0.0.1:8000/live.mp3"));
        QCOMPARE(sm.state(), SM::Transitioning);
        QCOMPARE(sm.status(), QStringLiteral("Připojování k 127.0.0.1..."));
        QVERIFY(c.close && !c.openDirect);
        QCOMPARE(c.open, QStringLiteral("http://127.0.0.1:8000/live.mp3"));
        sm.buffering(45);
        QCOMPARE(sm.state(), SM::Buffering);
        QCOMPARE(sm.status(), QStringLiteral("Načítání 45 %"));
        sm.audioStarted();
        QCOMPARE(sm.state(), SM::Playing);
        QCOMPARE(sm.status(), QStringLiteral("Přehrávání"));
        // Buffering while playing never takes a live stream out of play.
        sm.buffering(10);
        QCOMPARE(sm.state(), SM::Playing);
        QVERIFY(sm.stop().close);
        QCOMPARE(sm.state(), SM::Stopped);
        QCOMPARE(sm.status(), QStringLiteral("Zastaveno"));
        QVERIFY(!sm.stop().close); // already stopped: nothing to do
    }

    void statusNamesTitleThenStationAndCleansTitles()
    {
        SM sm = machine();
        sm.open(QStringLiteral("http://host/x"));
        sm.stationNameChanged(QStringLiteral("Rádio Test"));
        SM named = sm;
        sm.titleChanged(QStringLiteral("Early"));
        QCOMPARE(sm.state(), SM::Transitioning); // tags before audio change nothing visible
        sm.audioStarted();
        named.audioStarted();
        QCOMPARE(sm.status(), QStringLiteral("Přehrávání: Early"));
        QCOMPARE(named.status(), QStringLiteral("Přehrávání: Rádio Test"));
        sm.titleChanged(QStringLiteral("A\x01\nB   C"));
        QCOMPARE(sm.status(), QStringLiteral("Přehrávání: A B C"));
        sm.titleChanged(QString(5000, QLatin1Char('x')));
        QCOMPARE(sm.status().size(),
                 qsizetype(QStringLiteral("Přehrávání: ").size() + SM::MaxTitleLength));
    }

    void playIsIgnoredWhileActiveAndRestartsOtherwise()
    {
        SM sm = machine();
        sm.open(QStringLiteral("http://host/a"));
        QVERIFY(sm.play().open.isEmpty());
        sm.audioStarted();
        QVERIFY(sm.play().open.isEmpty());
        sm.stop();
        QCOMPARE(sm.play().open, QStringLiteral("http://host/a"));
        QCOMPARE(sm.state(), SM::Transitioning);
    }

    void newAddressReplacesOld()
    {
        SM sm = machine(QStringLiteral("http://a/1"));
        const auto c = sm.open(QStringLiteral("b.example.org:8000/2"));
        QVERIFY(c.close);
        QCOMPARE(c.open, QStringLiteral("http://b.example.org:8000/2"));
        QCOMPARE(sm.status(), QStringLiteral("Připojování k b.example.org..."));
        sm.open(QString()); // an empty address stops what played
        QCOMPARE(sm.state(), SM::Stopped);
    }

    void failureBeforePlayingIsAnError_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("http");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("status");
        const auto row = [](const char* tag, StreamError::Kind kind, int http, const char* text,
                            const char* detail = "") {
            QTest::newRow(tag) << int(kind) << http << QString(detail)
                               << QStringLiteral("Chyba: ") + QString::fromUtf8(text);
        };
        row("refused", StreamError::ConnectionRefused, 0, "server h odmítl spojení");
        row("not found", StreamError::HostNotFound, 0, "server h nebyl nalezen");
        row("404", StreamError::HttpStatus, 404, "server vrátil HTTP 404 (stream nebyl nalezen)");
        row("timeout", StreamError::Timeout, 0, "server h neodpovídá (vypršel časový limit)");
        row("not audio", StreamError::NotAudio, 0, "adresa nevede na zvukový stream");
        row("no output", StreamError::NoAudioOutput, 0, "není k dispozici žádný zvukový výstup");
        row("no decoder", StreamError::UnsupportedFormat, 0,
            "nepodporovaný formát zvuku (chybí MPEG-4 AAC decoder)", "MPEG-4 AAC decoder");
    }

    void failureBeforePlayingIsAnError()
    {
        QFETCH(int, kind);
        QFETCH(QString, detail);
        SM sm = machine();
        sm.open(QStringLiteral("http://h/x"));
        StreamError e = StreamError::make(StreamError::Kind(kind), {}, detail);
        QFETCH(int, http);
        e.httpStatus = http;
        const auto c = sm.failed(e);
        QVERIFY(c.close);
        QCOMPARE(c.retryInMs, -1);
        QCOMPARE(sm.state(), SM::Ready);
        QTEST(sm.status(), "status");
        // Late events of the failed attempt change nothing.
        sm.audioStarted();
        sm.buffering(50);
        QCOMPARE(sm.state(), SM::Ready);
        QCOMPARE(sm.play().open, QStringLiteral("http://h/x")); // play after an error tries again
    }

    void refusedAndInvalidAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("status");
        const QString invalid = QStringLiteral("Chyba: neplatná adresa stanice");
        QTest::newRow("device") << "v4l2:///dev/video0"
                                << QStringLiteral("Chyba: adresy typu \"v4l2:\" nelze přehrát");
        QTest::newRow("no host") << "http://" << invalid;
        QTest::newRow("broken") << "http://[::1" << invalid;
        QTest::newRow("missing file") << "/no/such/file.mp3" << invalid;
    }

    void refusedAndInvalidAddresses()
    {
        QFETCH(QString, address);
        SM sm = machine();
        const auto c = sm.open(address);
        QVERIFY(c.open.isEmpty() && c.fetch.isEmpty());
        QCOMPARE(sm.state(), SM::Ready);
        QTEST(sm.status(), "status");
    }

    void droppedStreamReconnectsWithBackoffThenGivesUp()
    {
        SM sm = machine(QStringLiteral("http://h/x"));
        int total = 0;
        for (int attempt = 1; attempt <= SM::MaxReconnects; ++attempt) {
            const auto c = sm.failed(error(StreamError::ConnectionLost));
            QCOMPARE(sm.state(), SM::Reconnecting);
            QCOMPARE(sm.status(), QStringLiteral("Obnovování spojení (%1/5)...").arg(attempt));
            QVERIFY(c.close);
            QCOMPARE(c.retryInMs, SM::backoffMs(attempt));
            total += c.retryInMs;
            const auto r = sm.retryDue();
            QCOMPARE(r.open, QStringLiteral("http://h/x"));
            QVERIFY(r.openDirect);
            QCOMPARE(sm.state(), SM::Reconnecting); // until audio flows again
        }
        QVERIFY(total <= 31000);
        QCOMPARE(sm.failed(error(StreamError::ConnectionRefused)).retryInMs, -1);
        QCOMPARE(sm.state(), SM::Ready);
        QCOMPARE(sm.status(), QStringLiteral("Chyba: server h odmítl spojení"));
    }

    void reconnectSucceedsAndLongPlayResetsTheCount()
    {
        SM sm = machine(QStringLiteral("http://h/x"));
        sm.failed(error(StreamError::Timeout));
        sm.retryDue();
        sm.buffering(30);
        QCOMPARE(sm.state(), SM::Reconnecting);
        sm.audioStarted();
        QCOMPARE(sm.state(), SM::Playing);
        QCOMPARE(sm.attempt(), 1);
        // A short play counts on; a long one starts afresh.
        m_now += 1000;
        sm.failed(error(StreamError::ConnectionLost));
        QCOMPARE(sm.attempt(), 2);
        sm.retryDue();
        sm.audioStarted();
        m_now += SM::StableMs;
        sm.failed(error(StreamError::ConnectionLost));
        QCOMPARE(sm.attempt(), 1);
    }

    void failuresWhilePlaying()
    {
        SM sm = machine(QStringLiteral("http://h/x"));
        QCOMPARE(sm.failed(error(StreamError::NotAudio)).retryInMs, -1); // permanent: no retry
        QCOMPARE(sm.state(), SM::Ready);
        // Stop or a new address cancels a pending reconnect.
        sm = machine(QStringLiteral("http://h/x"));
        sm.failed(error(StreamError::ConnectionLost));
        QVERIFY(sm.stop().close);
        QCOMPARE(sm.state(), SM::Stopped);
        QVERIFY(sm.retryDue().open.isEmpty());
        sm = machine(QStringLiteral("http://h/x"));
        sm.failed(error(StreamError::ConnectionLost));
        sm.open(QStringLiteral("http://other/y"));
        QCOMPARE(sm.state(), SM::Transitioning);
        QVERIFY(sm.retryDue().open.isEmpty());
        // The end of a radio stream is a lost connection.
        sm = machine(QStringLiteral("http://h/x"));
        QVERIFY(sm.ended().retryInMs > 0);
        QCOMPARE(sm.state(), SM::Reconnecting);
    }

    void fileEndIsMediaEnded()
    {
        QTemporaryFile file(QDir::tempPath() + QStringLiteral("/tune-XXXXXX.mp3"));
        QVERIFY(file.open());
        SM local = machine();
        QVERIFY(local.open(file.fileName()).open.startsWith(QStringLiteral("file:///")));
        QVERIFY(local.status().startsWith(QStringLiteral("Otevírání souboru tune-")));
        local.audioStarted();
        QVERIFY(local.ended().close);
        QCOMPARE(local.state(), SM::MediaEnded);
    }

    void playlistEntriesAreTriedInOrder()
    {
        SM sm = machine();
        auto c = sm.open(QStringLiteral("http://h/list.pls"));
        QCOMPARE(c.fetch, QStringLiteral("http://h/list.pls"));
        QVERIFY(c.open.isEmpty());
        QCOMPARE(sm.state(), SM::Transitioning);
        c = sm.playlistRead(
            list({"http://dead/1", "file:///etc/passwd", "v4l2:///dev/video0", "http://good/2"}));
        QCOMPARE(c.open, QStringLiteral("http://dead/1"));
        QCOMPARE(sm.status(), QStringLiteral("Připojování k dead..."));
        // Dead entry, then a local file and a device a remote list must not reach.
        c = sm.failed(error(StreamError::ConnectionRefused));
        QCOMPARE(c.open, QStringLiteral("http://good/2"));
        QVERIFY(c.close);
        sm.audioStarted();
        QCOMPARE(sm.state(), SM::Playing);
        // A drop now reconnects to the entry that played.
        sm.failed(error(StreamError::ConnectionLost));
        QCOMPARE(sm.retryDue().open, QStringLiteral("http://good/2"));
    }

    void playlistWithNothingUsableIsAnError()
    {
        SM sm = machine();
        sm.open(QStringLiteral("http://h/list.m3u"));
        sm.playlistRead({});
        QCOMPARE(sm.state(), SM::Ready);
        QCOMPARE(sm.status(),
                 QStringLiteral("Chyba: seznam skladeb neobsahuje žádnou použitelnou adresu"));
        sm.open(QStringLiteral("http://h/list.m3u"));
        sm.playlistRead(list({"http://a/1", "http://b/2"}));
        sm.failed(error(StreamError::ConnectionRefused));
        sm.failed(error(StreamError::HttpStatus));
        QCOMPARE(sm.state(), SM::Ready); // the last entry's failure is reported
    }

    void playlistByContentTypeAndHls()
    {
        SM sm = machine();
        QCOMPARE(sm.open(QStringLiteral("http://h/listen")).open,
                 QStringLiteral("http://h/listen"));
        auto c = sm.playlistDetected();
        QVERIFY(c.close);
        QCOMPARE(c.fetch, QStringLiteral("http://h/listen"));
        PlaylistParser::Result hls;
        hls.hls = true;
        c = sm.playlistRead(hls);
        QCOMPARE(c.open, QStringLiteral("http://h/listen"));
        QVERIFY(c.openDirect);
    }

    void nestedPlaylistsAreBounded()
    {
        SM sm = machine();
        auto c = sm.open(QStringLiteral("http://h/0.pls"));
        for (int depth = 1; depth < SM::MaxPlaylistDepth; ++depth) {
            const QString inner = QStringLiteral("http://h/%1.pls").arg(depth);
            QCOMPARE(sm.playlistRead(list({inner})).fetch, inner);
        }
        c = sm.playlistRead(list({"http://h/deep.pls"}));
        QVERIFY(c.fetch.isEmpty());
        QCOMPARE(c.open, QStringLiteral("http://h/deep.pls"));
    }
};

QTEST_GUILESS_MAIN(TestPlaybackStateMachine)
#include "tst_playbackstatemachine.moc"
