// The player's state logic without a media engine: every transition, the status
// texts, reconnecting with back-off and walking through playlist entries.
#include "platform/PlaybackStateMachine.h"

#include <QtTest>

using SM = PlaybackStateMachine;

class TestPlaybackStateMachine : public QObject
{
    Q_OBJECT

    qint64 m_now = 0;

    void attachClock(SM& sm)
    {
        m_now = 1000;
        sm.setClock([this] { return m_now; });
    }

    static StreamError error(StreamError::Kind kind) { return StreamError::make(kind); }

private Q_SLOTS:
    void startsUndefinedAndEmptyAddressDoesNothing()
    {
        SM sm;
        QCOMPARE(sm.state(), SM::Undefined);
        const auto c = sm.open(QString());
        QCOMPARE(sm.state(), SM::Undefined);
        QVERIFY(c.open.isEmpty() && c.fetch.isEmpty());
        QVERIFY(sm.play().open.isEmpty());
        QCOMPARE(sm.state(), SM::Undefined);
        QVERIFY(!sm.stop().close);
        QCOMPARE(sm.state(), SM::Undefined);
    }

    void connectBufferPlayStop()
    {
        SM sm;
        auto c = sm.open(QStringLiteral("http://127.0.0.1:8000/live.mp3"));
        QCOMPARE(sm.state(), SM::Transitioning);
        QCOMPARE(sm.status(), QStringLiteral("Připojování k 127.0.0.1..."));
        QVERIFY(c.close);
        QCOMPARE(c.open, QStringLiteral("http://127.0.0.1:8000/live.mp3"));
        QVERIFY(!c.openDirect);

        sm.buffering(45);
        QCOMPARE(sm.state(), SM::Buffering);
        QCOMPARE(sm.status(), QStringLiteral("Načítání 45 %"));

        sm.audioStarted();
        QCOMPARE(sm.state(), SM::Playing);
        QCOMPARE(sm.status(), QStringLiteral("Přehrávání"));

        // Buffering while playing never takes a live stream out of play.
        sm.buffering(10);
        QCOMPARE(sm.state(), SM::Playing);

        c = sm.stop();
        QVERIFY(c.close);
        QCOMPARE(sm.state(), SM::Stopped);
        QCOMPARE(sm.status(), QStringLiteral("Zastaveno"));
        QVERIFY(!sm.stop().close); // already stopped: nothing to do
    }

    void statusNamesTitleThenStation()
    {
        SM sm;
        sm.open(QStringLiteral("http://host/x"));
        sm.stationNameChanged(QStringLiteral("Rádio Test"));
        sm.titleChanged(QStringLiteral("Early"));
        QCOMPARE(sm.state(), SM::Transitioning); // tags before audio change nothing visible
        sm.audioStarted();
        QCOMPARE(sm.status(), QStringLiteral("Přehrávání: Early"));
        sm.titleChanged(QStringLiteral("Interpret - Skladba"));
        QCOMPARE(sm.status(), QStringLiteral("Přehrávání: Interpret - Skladba"));

        SM named;
        named.open(QStringLiteral("http://host/x"));
        named.stationNameChanged(QStringLiteral("Rádio Test"));
        named.audioStarted();
        QCOMPARE(named.status(), QStringLiteral("Přehrávání: Rádio Test"));
    }

    void titlesAreCleanedAndBounded()
    {
        SM sm;
        sm.open(QStringLiteral("http://host/x"));
        sm.audioStarted();
        sm.titleChanged(QStringLiteral("A\x01\nB   C"));
        QCOMPARE(sm.status(), QStringLiteral("Přehrávání: A B C"));
        sm.titleChanged(QString(5000, QLatin1Char('x')));
        QCOMPARE(sm.status().size(),
                 qsizetype(QStringLiteral("Přehrávání: ").size() + SM::MaxTitleLength));
    }

    void playIsIgnoredWhileActiveAndRestartsOtherwise()
    {
        SM sm;
        sm.open(QStringLiteral("http://host/a"));
        QVERIFY(sm.play().open.isEmpty());
        sm.audioStarted();
        QVERIFY(sm.play().open.isEmpty());
        sm.stop();
        const auto c = sm.play();
        QCOMPARE(c.open, QStringLiteral("http://host/a"));
        QCOMPARE(sm.state(), SM::Transitioning);
    }

    void newAddressReplacesOld()
    {
        SM sm;
        sm.open(QStringLiteral("http://a/1"));
        sm.audioStarted();
        const auto c = sm.open(QStringLiteral("b.example.org:8000/2"));
        QVERIFY(c.close);
        QCOMPARE(c.open, QStringLiteral("http://b.example.org:8000/2"));
        QCOMPARE(sm.status(), QStringLiteral("Připojování k b.example.org..."));
        // Writing an empty address stops what played.
        sm.open(QString());
        QCOMPARE(sm.state(), SM::Stopped);
    }

    void failureBeforePlayingIsAnError_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("http");
        QTest::addColumn<QString>("status");
        const auto row = [](const char* tag, StreamError::Kind kind, int http, const char* text) {
            QTest::newRow(tag) << int(kind) << http << QString::fromUtf8(text);
        };
        row("refused", StreamError::ConnectionRefused, 0, "Chyba: server h odmítl spojení");
        row("not found", StreamError::HostNotFound, 0, "Chyba: server h nebyl nalezen");
        row("404", StreamError::HttpStatus, 404,
            "Chyba: server vrátil HTTP 404 (stream nebyl nalezen)");
        row("timeout", StreamError::Timeout, 0,
            "Chyba: server h neodpovídá (vypršel časový limit)");
        row("not audio", StreamError::NotAudio, 0, "Chyba: adresa nevede na zvukový stream");
        row("no output", StreamError::NoAudioOutput, 0,
            "Chyba: není k dispozici žádný zvukový výstup");
    }

    void failureBeforePlayingIsAnError()
    {
        QFETCH(int, kind);
        QFETCH(int, http);
        QFETCH(QString, status);
        SM sm;
        sm.open(QStringLiteral("http://h/x"));
        StreamError e = error(StreamError::Kind(kind));
        e.httpStatus = http;
        const auto c = sm.failed(e);
        QVERIFY(c.close);
        QCOMPARE(c.retryInMs, -1);
        QCOMPARE(sm.state(), SM::Ready);
        QCOMPARE(sm.status(), status);
        // Late events of the failed attempt change nothing.
        sm.audioStarted();
        sm.buffering(50);
        QCOMPARE(sm.state(), SM::Ready);
        // play after an error tries again.
        QCOMPARE(sm.play().open, QStringLiteral("http://h/x"));
    }

    void unsupportedFormatNamesTheDecoder()
    {
        SM sm;
        sm.open(QStringLiteral("http://h/x"));
        sm.failed(StreamError::make(StreamError::UnsupportedFormat, {},
                                    QStringLiteral("MPEG-4 AAC decoder")));
        QCOMPARE(sm.status(),
                 QStringLiteral("Chyba: nepodporovaný formát zvuku (chybí MPEG-4 AAC decoder)"));
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
        QFETCH(QString, status);
        SM sm;
        const auto c = sm.open(address);
        QVERIFY(c.open.isEmpty() && c.fetch.isEmpty());
        QCOMPARE(sm.state(), SM::Ready);
        QCOMPARE(sm.status(), status);
    }

    void droppedStreamReconnectsWithBackoffThenGivesUp()
    {
        SM sm;
        attachClock(sm);
        sm.open(QStringLiteral("http://h/x"));
        sm.audioStarted();
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
        const auto c = sm.failed(error(StreamError::ConnectionRefused));
        QCOMPARE(c.retryInMs, -1);
        QCOMPARE(sm.state(), SM::Ready);
        QCOMPARE(sm.status(), QStringLiteral("Chyba: server h odmítl spojení"));
    }

    void reconnectSucceedsAndLongPlayResetsTheCount()
    {
        SM sm;
        attachClock(sm);
        sm.open(QStringLiteral("http://h/x"));
        sm.audioStarted();
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

    void permanentFailureWhilePlayingIsNotRetried()
    {
        SM sm;
        sm.open(QStringLiteral("http://h/x"));
        sm.audioStarted();
        const auto c = sm.failed(error(StreamError::NotAudio));
        QCOMPARE(c.retryInMs, -1);
        QCOMPARE(sm.state(), SM::Ready);
    }

    void stopOrNewAddressCancelsReconnect()
    {
        SM sm;
        sm.open(QStringLiteral("http://h/x"));
        sm.audioStarted();
        sm.failed(error(StreamError::ConnectionLost));
        QVERIFY(sm.stop().close);
        QCOMPARE(sm.state(), SM::Stopped);
        QVERIFY(sm.retryDue().open.isEmpty());

        sm.open(QStringLiteral("http://h/x"));
        sm.audioStarted();
        sm.failed(error(StreamError::ConnectionLost));
        sm.open(QStringLiteral("http://other/y"));
        QCOMPARE(sm.state(), SM::Transitioning);
        QVERIFY(sm.retryDue().open.isEmpty());
    }

    void streamEndIsALostConnectionFileEndIsMediaEnded()
    {
        SM radio;
        radio.open(QStringLiteral("http://h/x"));
        radio.audioStarted();
        QVERIFY(radio.ended().retryInMs > 0);
        QCOMPARE(radio.state(), SM::Reconnecting);

        QTemporaryFile file(QDir::tempPath() + QStringLiteral("/tune-XXXXXX.mp3"));
        QVERIFY(file.open());
        SM local;
        const auto c = local.open(file.fileName());
        QVERIFY(c.open.startsWith(QStringLiteral("file:///")));
        QVERIFY(local.status().startsWith(QStringLiteral("Otevírání souboru tune-")));
        local.audioStarted();
        QVERIFY(local.ended().close);
        QCOMPARE(local.state(), SM::MediaEnded);
    }

    void playlistEntriesAreTriedInOrder()
    {
        SM sm;
        auto c = sm.open(QStringLiteral("http://h/list.pls"));
        QCOMPARE(c.fetch, QStringLiteral("http://h/list.pls"));
        QVERIFY(c.open.isEmpty());
        QCOMPARE(sm.state(), SM::Transitioning);

        PlaylistParser::Result list;
        list.entries = {QStringLiteral("http://dead/1"), QStringLiteral("file:///etc/passwd"),
                        QStringLiteral("v4l2:///dev/video0"), QStringLiteral("http://good/2")};
        c = sm.playlistRead(list);
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
        SM sm;
        sm.open(QStringLiteral("http://h/list.m3u"));
        sm.playlistRead({});
        QCOMPARE(sm.state(), SM::Ready);
        QCOMPARE(sm.status(),
                 QStringLiteral("Chyba: seznam skladeb neobsahuje žádnou použitelnou adresu"));

        sm.open(QStringLiteral("http://h/list.m3u"));
        PlaylistParser::Result list;
        list.entries = {QStringLiteral("http://a/1"), QStringLiteral("http://b/2")};
        sm.playlistRead(list);
        sm.failed(error(StreamError::ConnectionRefused));
        sm.failed(StreamError::make(StreamError::HttpStatus));
        QCOMPARE(sm.state(), SM::Ready); // the last entry's failure is reported
    }

    void playlistByContentTypeAndHls()
    {
        SM sm;
        auto c = sm.open(QStringLiteral("http://h/listen"));
        QCOMPARE(c.open, QStringLiteral("http://h/listen"));
        c = sm.playlistDetected();
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
        SM sm;
        auto c = sm.open(QStringLiteral("http://h/0.pls"));
        for (int depth = 1; depth < SM::MaxPlaylistDepth; ++depth) {
            PlaylistParser::Result inner;
            inner.entries = {QStringLiteral("http://h/%1.pls").arg(depth)};
            c = sm.playlistRead(inner);
            QCOMPARE(c.fetch, inner.entries.first());
        }
        PlaylistParser::Result last;
        last.entries = {QStringLiteral("http://h/deep.pls")};
        c = sm.playlistRead(last);
        QVERIFY(c.fetch.isEmpty());
        QCOMPARE(c.open, QStringLiteral("http://h/deep.pls"));
    }
};

QTEST_GUILESS_MAIN(TestPlaybackStateMachine)
#include "tst_playbackstatemachine.moc"
