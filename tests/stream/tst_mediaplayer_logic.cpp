// MediaPlayer's own logic over a fake engine: what it asks of the engine, the
// play states and status texts it reports, when it reconnects, the gains that
// volume, balance and mute give, and when it raises StatusChange. What only a
// real stream shows is in tst_mediaplayer and tst_mediaplayer_rtsp. And text
// from outside: stream addresses and playlists (what reaches the media engine,
// and what not) and the titles a stream sends.
#include "FakeStreamEngine.h"
#include "stream/MediaPlayer.h"
#include "stream/PlaybackStateMachine.h"
#include "stream/PlaylistParser.h"
#include "stream/StreamAddress.h"
#include "stream/StreamError.h"
#include "stream/TitleText.h"

#include <QtTest>

using namespace PlayState;
using SM = PlaybackStateMachine;

namespace {

const QStringList Close{QStringLiteral("close"), QStringLiteral("cancel fetch")};

StreamError error(StreamError::Kind kind, int httpStatus = 0, const QString& detail = {})
{
    return {kind, {}, httpStatus, detail};
}

PlaylistParser::Result playlist(const QStringList& entries, bool hls = false)
{
    return {hls, entries};
}

} // namespace

class TestMediaPlayerLogic : public QObject
{
    Q_OBJECT

    FakeStreamEngine* m_engine = nullptr;
    std::unique_ptr<MediaPlayer> m_player;
    QStringList m_notified; // "state status" as each StatusChange found the player

    QStringList calls() { return m_engine->takeCalls(); }

    // The notifications queued so far, once they have arrived.
    QStringList notified()
    {
        QCoreApplication::processEvents();
        return std::exchange(m_notified, {});
    }

    void play(const QString& url)
    {
        m_player->setURL(url);
        Q_EMIT m_engine->audioStarted();
        calls();
        notified();
    }

    QTimer* retry() { return m_player->findChild<QTimer*>(QStringLiteral("retry")); }
    int pendingRetryMs() { return retry()->isActive() ? retry()->interval() : -1; }

    // Runs the pending reconnect now instead of after its back-off.
    bool fireRetry()
    {
        QSignalSpy fired(retry(), &QTimer::timeout);
        retry()->start(0);
        return fired.wait(1000);
    }

private Q_SLOTS:
    void init()
    {
        auto engine = std::make_unique<FakeStreamEngine>();
        m_engine = engine.get();
        m_player = std::make_unique<MediaPlayer>(std::move(engine));
        m_notified.clear();
        connect(m_player.get(), &MediaPlayer::StatusChange, this, [this] {
            m_notified << QString::number(m_player->playState()) + ' ' + m_player->status();
        });
    }

    // One notification per visible change, queued (never inside the call that
    // caused it), each finding the change it announces.
    void playConnectsBuffersPlaysAndStops()
    {
        const QString url = QStringLiteral("http://127.0.0.1:8000/live.mp3");
        m_player->setURL(url);
        m_player->controls().play(); // already starting
        QCOMPARE(m_player->URL(), url);
        QCOMPARE(calls(), Close + QStringList{"open " + url});
        QVERIFY(m_notified.isEmpty());
        QCOMPARE(notified(), QStringList{"9 Připojování k 127.0.0.1..."});
        Q_EMIT m_engine->stationNameChanged(QStringLiteral("Rádio Test"));
        QCOMPARE(notified(), QStringList{}); // tags before the audio show once it plays
        Q_EMIT m_engine->buffering(45);
        QCOMPARE(notified(), QStringList{"6 Načítání 45 %"});
        Q_EMIT m_engine->buffering(145);
        QCOMPARE(notified(), QStringList{"6 Načítání 100 %"});
        Q_EMIT m_engine->audioStarted();
        QCOMPARE(notified(), QStringList{"3 Přehrávání: Rádio Test"});
        Q_EMIT m_engine->titleChanged(QStringLiteral("A\x01\nB   C"));
        QCOMPARE(notified(), QStringList{"3 Přehrávání: A B C"});
        Q_EMIT m_engine->titleChanged(QStringLiteral("A B C"));
        Q_EMIT m_engine->buffering(10); // a live stream in play is never held back
        Q_EMIT m_engine->audioStarted();
        m_player->controls().play(); // already playing
        QCOMPARE(notified(), QStringList{});
        QCOMPARE(calls(), QStringList{});
        Q_EMIT m_engine->titleChanged(QString(5000, 'x'));
        QCOMPARE(notified(),
                 QStringList{"3 Přehrávání: " + QString(SM::MaxTitleLength - 3, 'x') + "..."});
        m_player->controls().stop();
        m_player->controls().stop();
        QCOMPARE(calls(), Close);
        QCOMPARE(notified(), QStringList{"1 Zastaveno"});
        m_player->controls().play(); // the same address again
        QCOMPARE(calls(), Close + QStringList{"open " + url});
        QCOMPARE(notified(), QStringList{"9 Připojování k 127.0.0.1..."});
        // Two changes before the event loop runs: two notices, both finding the latest.
        Q_EMIT m_engine->buffering(20);
        Q_EMIT m_engine->buffering(30);
        QCOMPARE(notified(), (QStringList{"6 Načítání 30 %", "6 Načítání 30 %"}));
    }

    void emptyAndNewAddresses()
    {
        m_player->setURL(QString());
        m_player->controls().play();
        m_player->controls().stop();
        QCOMPARE(calls(), Close);
        QCOMPARE(notified(), QStringList{}); // an idle player stays quiet
        QCOMPARE(m_player->playState(), Undefined);
        play(QStringLiteral("http://a/1"));
        m_player->setURL(QStringLiteral("b.example.org:8000/2"));
        QCOMPARE(m_player->URL(), QStringLiteral("b.example.org:8000/2")); // as written
        QCOMPARE(calls(), Close + QStringList{"open http://b.example.org:8000/2"});
        QCOMPARE(notified(), QStringList{"9 Připojování k b.example.org..."});
        m_player->setURL(QStringLiteral("  "));
        m_player->controls().play();
        QCOMPARE(calls(), Close);
        QCOMPARE(notified(), QStringList{"1 Zastaveno"});
    }

    void failureBeforePlayingIsAnError_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("kind"); // what the engine reports; None: the address alone fails
        QTest::addColumn<int>("http");
        QTest::addColumn<QString>("status");
        const auto row = [](const char* tag, const char* address, StreamError::Kind kind,
                            const char* text, int http = 0) {
            QTest::newRow(tag) << QString(address) << int(kind) << http
                               << QStringLiteral("Chyba: ") + QString::fromUtf8(text);
        };
        const char* x = "http://h/x";
        row("refused", x, StreamError::ConnectionRefused, "server h odmítl spojení");
        row("not found", x, StreamError::HostNotFound, "server h nebyl nalezen");
        row("404", x, StreamError::HttpStatus, "server vrátil HTTP 404 (stream nebyl nalezen)",
            404);
        row("timeout", x, StreamError::Timeout, "server h neodpovídá (vypršel časový limit)");
        row("trickle", x, StreamError::Starved, "server h neposílá data dost rychle");
        row("not audio", x, StreamError::NotAudio, "adresa nevede na zvukový stream");
        row("no output", x, StreamError::NoAudioOutput, "není k dispozici žádný zvukový výstup");
        row("no decoder", x, StreamError::UnsupportedFormat,
            "nepodporovaný formát zvuku (chybí MPEG-4 AAC decoder)");
        row("playlist unread", "http://h/list.pls", StreamError::HttpStatus,
            "server vrátil HTTP 403 (přístup odepřen)", 403);
        row("device", "v4l2:///dev/video0", StreamError::None,
            "adresy typu \"v4l2:\" nelze přehrát");
        row("no host", "http://", StreamError::None, "neplatná adresa stanice");
        row("broken", "http://[::1", StreamError::None, "neplatná adresa stanice");
        row("missing file", "/no/such/file.mp3", StreamError::None, "neplatná adresa stanice");
    }

    // An address that never played is not retried, even for a passing fault.
    void failureBeforePlayingIsAnError()
    {
        QFETCH(QString, address);
        QFETCH(int, kind);
        QFETCH(int, http);
        m_player->setURL(address);
        const QStringList opened = calls();
        const StreamError e =
            error(StreamError::Kind(kind), http, QStringLiteral("MPEG-4 AAC decoder"));
        if (address.endsWith(QLatin1String(".pls")))
            Q_EMIT m_engine->playlistFetchFailed(e);
        else if (kind != StreamError::None)
            Q_EMIT m_engine->failed(e);
        // The engine stops; a refused address never reaches it.
        QCOMPARE(kind != StreamError::None ? calls() : opened, Close);
        QCOMPARE(m_player->playState(), Ready);
        QTEST(m_player->status(), "status");
        QCOMPARE(pendingRetryMs(), -1);
        Q_EMIT m_engine->audioStarted(); // late events of the failed attempt
        Q_EMIT m_engine->buffering(50);
        QCOMPARE(m_player->playState(), Ready);
        m_player->controls().play(); // play after an error tries again
        QCOMPARE(calls(), opened);
    }

    // Short plays between drops count on: after five tries the player gives up.
    void droppedStreamReconnectsThenGivesUp()
    {
        play(QStringLiteral("http://h/x"));
        for (int attempt = 1; attempt <= SM::MaxReconnects; ++attempt) {
            Q_EMIT m_engine->failed(error(StreamError::ConnectionLost));
            QCOMPARE(calls(), Close);
            QCOMPARE(notified(),
                     QStringList{QStringLiteral("11 Obnovování spojení (%1/5)...").arg(attempt)});
            QCOMPARE(pendingRetryMs(), SM::backoffMs(attempt));
            QVERIFY(fireRetry());
            QCOMPARE(calls(), Close + QStringList{"open direct http://h/x"});
            Q_EMIT m_engine->buffering(30);
            QCOMPARE(m_player->playState(), Reconnecting); // until audio flows again
            Q_EMIT m_engine->audioStarted();
            QCOMPARE(notified(), QStringList{"3 Přehrávání"});
        }
        Q_EMIT m_engine->failed(error(StreamError::ConnectionRefused));
        QCOMPARE(notified(), QStringList{"10 Chyba: server h odmítl spojení"});
        QCOMPARE(pendingRetryMs(), -1);
    }

    void afterADrop_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("retry");
        QTest::newRow("lost") << QStringList{"lost"} << int(Reconnecting) << true;
        QTest::newRow("radio stream end") << QStringList{"ended"} << int(Reconnecting) << true;
        QTest::newRow("trickle") << QStringList{"starved"} << int(Reconnecting) << true;
        QTest::newRow("restarting server") << QStringList{"404"} << int(Reconnecting) << true;
        QTest::newRow("forbidden") << QStringList{"403"} << int(Ready) << false;
        QTest::newRow("not audio") << QStringList{"not audio"} << int(Ready) << false;
        QTest::newRow("stop in the back-off")
            << QStringList{"lost", "stop"} << int(Stopped) << false;
        QTest::newRow("new address in the back-off")
            << QStringList{"lost", "new"} << int(Transitioning) << false;
    }

    void afterADrop()
    {
        QFETCH(QStringList, events);
        play(QStringLiteral("http://h/x"));
        for (const QString& event : events) {
            if (event == "lost")
                Q_EMIT m_engine->failed(error(StreamError::ConnectionLost));
            else if (event == "ended")
                Q_EMIT m_engine->ended();
            else if (event == "404" || event == "403")
                Q_EMIT m_engine->failed(error(StreamError::HttpStatus, event.toInt()));
            else if (event == "not audio" || event == "starved")
                Q_EMIT m_engine->failed(
                    error(event == "starved" ? StreamError::Starved : StreamError::NotAudio));
            else if (event == "stop")
                m_player->controls().stop();
            else
                m_player->setURL(QStringLiteral("http://other/y"));
        }
        QTEST(m_player->playState(), "state");
        QFETCH(bool, retry);
        QCOMPARE(pendingRetryMs() > 0, retry);
    }

    void longPlayForgetsEarlierReconnects()
    {
        qint64 now = 1000;
        SM sm;
        sm.setClock([&] { return now; });
        sm.open(QStringLiteral("http://h/x"));
        for (const qint64 played : {qint64(0), qint64(1000), qint64(SM::StableMs)}) {
            sm.audioStarted();
            now += played;
            sm.failed(error(StreamError::ConnectionLost));
            sm.retryDue();
        }
        QCOMPARE(sm.attempt(), 1); // 1, 2, then afresh
    }

    // Entries a network list must not reach (local files, devices) count as dead.
    void playlistEntriesAreTriedInOrder()
    {
        m_player->setURL(QStringLiteral("http://h/list.pls"));
        QCOMPARE(calls(), Close + QStringList{"fetch http://h/list.pls"});
        QCOMPARE(m_player->status(), QStringLiteral("Připojování k h..."));
        Q_EMIT m_engine->playlistFetched(playlist(
            {"http://dead/1", "file:///etc/passwd", "v4l2:///dev/video0", "http://good/2"}));
        QCOMPARE(calls(), QStringList{"open http://dead/1"});
        QCOMPARE(m_player->status(), QStringLiteral("Připojování k dead..."));
        Q_EMIT m_engine->failed(error(StreamError::ConnectionRefused));
        QCOMPARE(calls(), Close + QStringList{"open http://good/2"});
        Q_EMIT m_engine->audioStarted();
        Q_EMIT m_engine->failed(error(StreamError::ConnectionLost));
        QVERIFY(fireRetry()); // a drop reconnects to the entry that played
        QCOMPARE(calls(), Close + Close + QStringList{"open direct http://good/2"});
        m_player->setURL(QStringLiteral("http://h/list.m3u"));
        Q_EMIT m_engine->playlistFetched(playlist({"http://a/1", "http://b/2"}));
        Q_EMIT m_engine->failed(error(StreamError::ConnectionRefused));
        Q_EMIT m_engine->failed(error(StreamError::HttpStatus, 500));
        QCOMPARE(m_player->status(),
                 QStringLiteral("Chyba: server vrátil HTTP 500 (chyba serveru), "
                                "vyzkoušeno adres ze seznamu: 2 z 2"));
    }

    void playlistsFoundByContentType()
    {
        m_player->setURL(QStringLiteral("http://h/listen"));
        QCOMPARE(calls(), Close + QStringList{"open http://h/listen"});
        Q_EMIT m_engine->playlistDetected();
        QCOMPARE(calls(), Close + QStringList{"fetch http://h/listen"});
        Q_EMIT m_engine->playlistFetched(playlist({}, true)); // HLS: a stream after all
        QCOMPARE(calls(), QStringList{"open direct http://h/listen"});
        Q_EMIT m_engine->audioStarted();
        Q_EMIT m_engine->playlistDetected(); // once played, never taken for a list
        Q_EMIT m_engine->playlistFetched(playlist({"http://late/1"}));
        QCOMPARE(calls(), QStringList{});
        m_player->setURL(QStringLiteral("http://h/x.m3u"));
        m_player->controls().stop();
        Q_EMIT m_engine->playlistFetched(playlist({"http://late/1"})); // read after a stop
        QCOMPARE(calls(), Close + QStringList{"fetch http://h/x.m3u"} + Close);
        m_player->setURL(QStringLiteral("http://h/empty.m3u"));
        Q_EMIT m_engine->playlistFetched(playlist({}));
        QCOMPARE(m_player->status(),
                 QStringLiteral("Chyba: seznam skladeb neobsahuje žádnou použitelnou adresu"));
    }

    void nestedPlaylistsAreBounded()
    {
        m_player->setURL(QStringLiteral("http://h/0.pls"));
        calls();
        for (int depth = 1; depth < SM::MaxPlaylistDepth; ++depth) {
            const QString inner = QStringLiteral("http://h/%1.pls").arg(depth);
            Q_EMIT m_engine->playlistFetched(playlist({inner}));
            QCOMPARE(calls(), QStringList{"fetch " + inner});
        }
        Q_EMIT m_engine->playlistFetched(playlist({"http://h/deep.pls"}));
        QCOMPARE(calls(), QStringList{"open http://h/deep.pls"});
    }

    void gainsFollowTheDecibelRule_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("balance");
        QTest::addColumn<bool>("mute");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        // 10^(dB / 20) of the decibels the volume display shows: 50 is -10.00 dB.
        const double half = 0.316279031;
        QTest::newRow("100") << 100 << 0 << false << 1.0 << 1.0;
        QTest::newRow("75") << 75 << 0 << false << 0.620169593 << 0.620169593;
        QTest::newRow("50") << 50 << 0 << false << half << half;
        QTest::newRow("1") << 1 << 0 << false << 0.000477023 << 0.000477023;
        QTest::newRow("0 is silent") << 0 << 0 << false << 0.0 << 0.0;
        QTest::newRow("muted") << 100 << 0 << true << 0.0 << 0.0;
        QTest::newRow("full left") << 100 << -100 << false << 1.0 << 0.0;
        QTest::newRow("right 50") << 50 << 50 << false << half / 2 << half;
        QTest::newRow("clamped") << 150 << -300 << false << 1.0 << 0.0;
    }

    void gainsFollowTheDecibelRule()
    {
        QFETCH(int, volume);
        QFETCH(int, balance);
        QFETCH(bool, mute);
        auto& s = m_player->settings();
        QVERIFY(std::abs(m_engine->left - 0.316279031) < 1e-9); // 50 from the start
        s.setVolume(volume);
        s.setBalance(balance);
        s.setMute(mute);
        QVERIFY(s.volume() <= 100 && s.balance() >= -100); // kept in range
        QFETCH(double, left);
        QFETCH(double, right);
        QVERIFY2(std::abs(m_engine->left - left) < 1e-9 && std::abs(m_engine->right - right) < 1e-9,
                 qPrintable(QStringLiteral("%1 %2").arg(m_engine->left).arg(m_engine->right)));
        QCOMPARE(notified(), QStringList{});
    }

    void networkAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("playlist");
        // An empty uri: the text as it is.
        const auto row = [](const char* tag, const char* text, const char* uri, const char* host,
                            int port, bool playlist) {
            QTest::newRow(tag) << QString(text) << QString(*uri ? uri : text) << QString(host)
                               << port << playlist;
        };
        row("http", "http://127.0.0.1:8000/live.mp3", "", "127.0.0.1", 8000, false);
        row("blanks", "  http://r.cz/a  ", "http://r.cz/a", "r.cz", 80, false);
        row("https", "HTTPS://R.cz/a", "https://r.cz/a", "r.cz", 443, false);
        row("no scheme", "r.cz:8000/live", "http://r.cz:8000/live", "r.cz", 8000, false);
        row("no scheme no port", "r.cz/live.pls", "http://r.cz/live.pls", "r.cz", 80, true);
        row("rtsp", "rtsp://h/s", "", "h", 554, false);
        row("mmsh", "mmsh://h/s", "", "h", 80, false);
        row("query playlist", "http://h/a.M3U?x=1", "", "h", 80, true);
        row("hls is a stream", "http://h/a.m3u8", "", "h", 80, false);
        row("spaces escaped", "http://h/a%20b", "", "h", 80, false);
    }

    void networkAddresses()
    {
        QFETCH(QString, text);
        const StreamAddress a = StreamAddress::parse(text);
        QCOMPARE(a.kind, StreamAddress::Network);
        QTEST(a.uri, "uri");
        QTEST(a.host, "host");
        QTEST(a.port, "port");
        QTEST(a.playlistName, "playlist");
    }

    void rejectedAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::newRow("empty") << "   " << int(StreamAddress::Empty);
        QTest::newRow("fd") << "fd://0" << int(StreamAddress::RefusedScheme);
        QTest::newRow("data") << "data:audio/mp3;base64,AAAA" << int(StreamAddress::RefusedScheme);
        QTest::newRow("blank inside") << "http://h/a b" << int(StreamAddress::Invalid);
        QTest::newRow("bad port") << "http://h:99999999/" << int(StreamAddress::Invalid);
        QTest::newRow("port zero") << "http://h:0/" << int(StreamAddress::Invalid);
        const QString lone = QString(QChar(0xD800));
        QTest::newRow("lone surrogate") << "r.cz/" + lone << int(StreamAddress::Invalid);
        QTest::newRow("control") << "http://h/a\x01" << int(StreamAddress::Invalid);
        QTest::newRow("file root") << "file://:///\t\x01" << int(StreamAddress::Invalid);
        QTest::newRow("file folder") << "file:///tmp/" << int(StreamAddress::Invalid);
        QTest::newRow("file elsewhere") << "file://h/tmp/a.mp3" << int(StreamAddress::Invalid);
    }

    void rejectedAddresses()
    {
        QFETCH(QString, text);
        QTEST(int(StreamAddress::parse(text).kind), "kind");
    }

    void localFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("písnička 1.mp3"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const StreamAddress plain = StreamAddress::parse(path);
        QCOMPARE(plain.kind, StreamAddress::File);
        QCOMPARE(QUrl(plain.uri).toLocalFile(), path);
        QVERIFY(plain.uri.contains(QStringLiteral("%20")));
        const StreamAddress uri = StreamAddress::parse(QUrl::fromLocalFile(path).toString());
        QCOMPARE(uri.kind, StreamAddress::File);
        QCOMPARE(uri.uri, plain.uri);
        // A folder or a device is no file to play.
        QCOMPARE(StreamAddress::parse(dir.path()).kind, StreamAddress::Invalid);
        QCOMPARE(StreamAddress::parse(QStringLiteral("/dev/zero")).kind, StreamAddress::Invalid);
    }

    void playlistContentTypes()
    {
        for (const char* type : {"audio/x-scpls", "Audio/X-MpegURL; charset=utf-8"})
            QVERIFY(StreamAddress::isPlaylistContentType(QLatin1String(type)));
        for (const char* type : {"audio/mpeg", "application/ogg"})
            QVERIFY(!StreamAddress::isPlaylistContentType(QLatin1String(type)));
    }

    void playlists_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("entries");
        const QByteArray a = "http://a.cz:8000/live", b = "http://b.cz/x.mp3";
        const QStringList ab{QString(a), QString(b)};
        QTest::newRow("pls") << "\xEF\xBB\xBF[playlist]\r\nNumberOfEntries=2\r\nFile2=" + b +
                                    "\r\nfile1 = " + a + "\r\nTitle1=A\r\n"
                             << ab;
        QTest::newRow("m3u") << "#EXTM3U\n#EXTINF:-1,A\n" + a + "\n\n" + b + "\n" + a + "\n" << ab;
        QTest::newRow("m3u relative")
            << QByteArray("sub/x.mp3\r\n/root.mp3\r\n")
            << QStringList{"http://h/lists/sub/x.mp3", "http://h/root.mp3"};
        QTest::newRow("asx sloppy")
            << "<ASX version=\"3.0\"><TITLE>R&R</TITLE><Entry><REF HREF=\"" + a +
                   "\"/></Entry><entry><ref href='" + b + "?a=1&amp;b=2' /></entry></asx>"
            << QStringList{QString(a), QString(b + "?a=1&b=2")};
        QTest::newRow("xspf") << "<?xml version=\"1.0\"?><playlist version=\"1\" xmlns=\"http://"
                                 "xspf.org/ns/0/\"><location>http://not/a/track</location>"
                                 "<trackList><track><location> " +
                                     a + " </location></track><track><location>" + b +
                                     "</location></track></trackList></playlist>"
                              << ab;
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("unresolvable") << QByteArray("//[\n") << QStringList{};
    }

    void playlists()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, entries);
        const auto result = PlaylistParser::parse(data, QStringLiteral("http://h/lists/l.m3u"));
        QVERIFY(!result.hls);
        QCOMPARE(result.entries, entries);
    }

    void hlsIsAStreamAndOversizedListsAreCut()
    {
        PlaylistParser::parse(QByteArray("\x00\x01\x02", 3), {}); // binary: must simply not crash
        QVERIFY(PlaylistParser::parse("#EXTM3U\n#EXT-X-TARGETDURATION:10\nseg1.ts\n",
                                      QStringLiteral("http://h/a.m3u8"))
                    .hls);
        QByteArray data;
        while (data.size() < 2 * PlaylistParser::MaxSize)
            data += "http://h/" + QByteArray::number(data.size()) + "\n";
        const auto r = PlaylistParser::parse(data, QStringLiteral("http://h/l.m3u"));
        QVERIFY(!r.entries.isEmpty());
        QVERIFY(r.entries.size() < 30000);
    }

    void titles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("max");
        const auto row = [](const char* tag, const QString& text, const char* shown, int max = 99) {
            QTest::newRow(tag) << text << QString::fromUtf8(shown) << max;
        };
        const QString lone = QString(QChar(0xD800));
        row("controls", QStringLiteral("A\x01\nB\u0085C\u2028D"), "A B C D");
        row("nul", lone + QStringLiteral("A") + QChar(0) + QStringLiteral("B") + lone, "A B");
        row("bidi", QStringLiteral("x\u202Egpj.exe \u2066y\u2069"), "xgpj.exe y");
        row("numeric", QStringLiteral("P&#345;&#237;&#x161;ern&#X11B; &#128512;"), "Příšerně 😀");
        row("named",
            QStringLiteral("&Zcaron;lu&tcaron;ou&ccaron;k&yacute; k&uring;&ncaron; &amp; "
                           "&ndash; &szlig;"),
            "Žluťoučký kůň & – ß");
        row("not references", QStringLiteral("&foo; &amp &#; &amp;amp; &xcaron;"),
            "&foo; &amp &#; &amp; &xcaron;");
        row("references to nothing", QStringLiteral("A&#0;B&#x202E;C&#xD800;&#1114112;"), "A BC");
        row("windows-1250",
            QString::fromLatin1("Dvo\xF8\xE1k - P\xEDse\xF2 \xC8"
                                "ech"),
            "Dvořák - Píseň Čech");
        row("windows-1250 by its C1 bytes", QString::fromLatin1("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2"),
            "Žluťoučký kůň");
        row("latin-1",
            QString::fromLatin1("Cr\xE8me br\xFBl\xE9"
                                "e, Bj\xF8rn, Cos\xEC, \xBFS\xED?"),
            "Crème brûlée, Bjørn, Così, ¿Sí?");
        row("utf-8 read as latin-1", QString::fromLatin1("\xC5\xBElu\xC5\xA5"), "žluť");
        row("unicode stays", QStringLiteral("Café Dvořák"), "Café Dvořák");
        row("cut before a surrogate pair", QStringLiteral("ab😀😀😀"), "ab...", 6);
        row("cut before a combining sequence", QStringLiteral("abe\u0301\u0301xyz"), "ab...", 7);
        // Qt's finder calls the middle of a pair a boundary after a Myanmar letter.
        row("cut after a Myanmar letter", QStringLiteral("\u1000 😊😀😀"), "\u1000 ...", 6);
    }

    void titles()
    {
        QFETCH(QString, text);
        QFETCH(int, max);
        QTEST(TitleText::clean(text, max), "shown");
    }

    void httpStatusFromEngineText()
    {
        const auto status = [](const char* text) {
            return StreamError::httpStatusFromDebug(QLatin1String(text));
        };
        QCOMPARE(status("File not found (404), URL: http://127.0.0.1:1/x, Redirect to: (NULL)"),
                 404);
        QCOMPARE(status("streaming stopped, reason error (-5)"), 0);
    }
};

QTEST_GUILESS_MAIN(TestMediaPlayerLogic)
#include "tst_mediaplayer_logic.moc"
