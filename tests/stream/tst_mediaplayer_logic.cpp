// MediaPlayer's own logic over a fake engine: what it asks of the engine, the
// play states and status texts it reports, when it reconnects, the gains that
// volume, balance and mute give, and when it raises StatusChange. What only a
// real stream shows is in tst_mediaplayer and tst_mediaplayer_rtsp. And text
// from outside: stream addresses and playlists (what reaches the media engine,
// and what not) and the titles a stream sends.
#include "FakeStreamEngine.h"
#include "TestFolders.h"
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

StreamError error(StreamError::Kind kind, int httpStatus = 0, const QString& detail = {})
{
    return {kind, {}, httpStatus, detail};
}

// "lost", "refused", "not-found", "not-audio", "http 404".
StreamError error(const QString& text)
{
    static const QHash<QString, StreamError::Kind> kinds{
        {"lost", StreamError::ConnectionLost},
        {"refused", StreamError::ConnectionRefused},
        {"not-found", StreamError::HostNotFound},
        {"not-audio", StreamError::NotAudio},
        {"http", StreamError::HttpStatus}};
    return error(kinds.value(text.section(' ', 0, 0)), text.section(' ', 1).toInt());
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

    QTimer* retry() { return m_player->findChild<QTimer*>(QStringLiteral("retry")); }
    int pendingRetryMs() { return retry()->isActive() ? retry()->interval() : -1; }

    // One step of a script; what it shows itself goes to trace.
    void step(const QString& step, QStringList& trace)
    {
        const QString verb = step.section(' ', 0, 0), arg = step.section(' ', 1);
        FakeStreamEngine* e = m_engine;
        if (verb == "url")
            m_player->setURL(arg);
        else if (verb == "play" || verb == "stop")
            verb == "play" ? m_player->controls().play() : m_player->controls().stop();
        else if (verb == "audio")
            Q_EMIT e->audioStarted();
        else if (verb == "ended")
            Q_EMIT e->ended();
        else if (verb == "detected")
            Q_EMIT e->playlistDetected();
        else if (verb == "buffer")
            Q_EMIT e->buffering(arg.toInt());
        else if (verb == "name" || verb == "title")
            verb == "name" ? Q_EMIT e->stationNameChanged(arg) : Q_EMIT e->titleChanged(arg);
        else if (verb == "fail" || verb == "unread")
            verb == "fail" ? Q_EMIT e->failed(error(arg))
                           : Q_EMIT e->playlistFetchFailed(error(arg));
        else if (verb == "fetched" || verb == "hls")
            Q_EMIT e->playlistFetched({verb == "hls", arg.split(' ', Qt::SkipEmptyParts)});
        else if (verb == "state")
            trace << QString::number(m_player->playState()) + ' ' + m_player->status();
        else if (verb == "url?")
            trace << m_player->URL();
        else if (verb == "retry")
            trace << QStringLiteral("retry in %1 ms").arg(pendingRetryMs());
        else
            QFAIL(qPrintable("no such step: " + step));
        if (verb == "retry" && retry()->isActive()) { // now instead of after its back-off
            QSignalSpy fired(retry(), &QTimer::timeout);
            retry()->start(0);
            QVERIFY(fired.wait(1000));
        } else if (!m_notified.isEmpty()) { // never inside the call that caused it
            trace << "notified at once: " + m_notified.join(", ");
        }
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

    // Scripts: each line runs its steps (joined by " + ", all before the event
    // loop runs) and shows what they caused, after " =>" and joined by "; ": what
    // a step shows itself, the engine's calls, then one notification per
    // visible change ("state status"), each finding the latest.
    void scripts_data()
    {
        QTest::addColumn<QStringList>("script");
        const QString live = QStringLiteral("http://127.0.0.1:8000/live.mp3");
        const QString connecting = QStringLiteral("; 9 Připojování k 127.0.0.1...");
        // A title is cleaned (TitleText).
        QTest::newRow("connect, buffer, play, stop") << QStringList{
            "url " + live + " + play => closed; open " + live + connecting,
            "name Rádio Test =>", // tags before the audio show once it plays
            "buffer 45 => 6 Načítání 45 %",
            "buffer 145 => 6 Načítání 100 %",
            "audio => 3 Přehrávání: Rádio Test",
            "title A\x01\nB   C => 3 Přehrávání: A B C",
            "title A B C + buffer 10 + audio + play =>", // a stream in play is never held back
            "stop + stop => closed; 1 Zastaveno",
            "play => closed; open " + live + connecting,
            "buffer 20 + buffer 30 => 6 Načítání 30 %; 6 Načítání 30 %"};
        QTest::newRow("empty and new addresses")
            << QStringList{"url  + play + stop => closed", // an idle player stays quiet
                           "state => 0 ",
                           "url http://a/1 + audio => closed; open http://a/1; 3 Přehrávání; 3 "
                           "Přehrávání",
                           "url b.example.org:8000/2 => closed; open http://b.example.org:8000/2; "
                           "9 Připojování k b.example.org...",
                           "url? => b.example.org:8000/2", // as written
                           "url   + play => closed; 1 Zastaveno"};
        // Short plays between drops count on: after five tries the player gives up.
        const QStringList playing{
            "url http://h/x + audio => closed; open http://h/x; 3 Přehrávání; 3 Přehrávání"};
        QStringList drops = playing;
        for (int attempt = 1; attempt <= 5; ++attempt) {
            const QString reconnecting =
                QStringLiteral("11 Obnovování spojení (%1/5)...").arg(attempt);
            const int backoff = QList{1000, 2000, 4000, 8000, 15000}[attempt - 1];
            drops << "fail lost => closed; " + reconnecting
                  << QStringLiteral("retry => retry in %1 ms; closed; open direct http://h/x")
                         .arg(backoff)
                  << "buffer 30 + state => " + reconnecting // until audio flows again
                  << "audio => 3 Přehrávání";
        }
        QTest::newRow("reconnects, then gives up")
            << drops + QStringList{"fail refused => closed; 10 Chyba: server h odmítl spojení",
                                   "retry => retry in -1 ms"};
        const QString dropped = QStringLiteral(" => closed; 11 Obnovování spojení (1/5)...");
        QTest::newRow("radio stream end")
            << playing + QStringList{"ended" + dropped,
                                     "retry => retry in 1000 ms; closed; open direct http://h/x"};
        QTest::newRow("restarting server") << playing + QStringList{"fail http 404" + dropped};
        QTest::newRow("forbidden")
            << playing + QStringList{"fail http 403 => closed; 10 Chyba: server "
                                     "vrátil HTTP 403 (přístup odepřen)",
                                     "retry => retry in -1 ms"};
        QTest::newRow("not audio")
            << playing + QStringList{"fail not-audio => closed; 10 Chyba: adresa "
                                     "nevede na zvukový stream",
                                     "retry => retry in -1 ms"};
        QTest::newRow("stop in the back-off")
            << playing + QStringList{"fail lost" + dropped, "stop => closed; 1 Zastaveno",
                                     "retry => retry in -1 ms"};
        QTest::newRow("new address in the back-off")
            << playing + QStringList{"fail lost" + dropped,
                                     "url http://other/y => closed; open "
                                     "http://other/y; 9 Připojování k other...",
                                     "retry => retry in -1 ms"};
        // Entries a network list must not reach (local files, devices) count as dead;
        // a drop reconnects to the entry that played.
        QTest::newRow("playlist entries in order") << QStringList{
            "url http://h/list.pls => closed; fetch http://h/list.pls; 9 Připojování k h...",
            "fetched http://dead/1 file:///etc/passwd v4l2:///dev/video0 http://good/2 => open "
            "http://dead/1; 9 Připojování k dead...",
            "fail refused => closed; open http://good/2; 9 Připojování k good...",
            "audio => 3 Přehrávání",
            "fail lost => closed; 11 Obnovování spojení (1/5)...",
            "retry => retry in 1000 ms; closed; open direct http://good/2",
            "url http://h/list.m3u => closed; fetch http://h/list.m3u; 9 Připojování k h...",
            "fetched http://a/1 http://b/2 => open http://a/1; 9 Připojování k a...",
            "fail refused => closed; open http://b/2; 9 Připojování k b...",
            "fail http 500 => closed; 10 Chyba: server vrátil HTTP 500 (chyba serveru), vyzkoušeno "
            "adres ze seznamu: 2 z 2"};
        // HLS is a stream after all; once played, never taken for a list; a list read after a stop
        // is dropped.
        QTest::newRow("playlists by content type") << QStringList{
            "url http://h/listen => closed; open http://h/listen; 9 Připojování k h...",
            "detected => closed; fetch http://h/listen",
            "hls => open direct http://h/listen",
            "audio + detected + fetched http://late/1 => 3 Přehrávání",
            "url http://h/x.m3u + stop + fetched http://late/1 => closed; fetch "
            "http://h/x.m3u; closed; 1 Zastaveno; 1 Zastaveno",
            "url http://h/empty.m3u => closed; fetch http://h/empty.m3u; 9 Připojování k h...",
            "fetched => closed; 10 Chyba: seznam skladeb neobsahuje žádnou použitelnou adresu"};
        // An address that never played is not retried, even for a passing fault; late
        // events of the failed attempt change nothing, and play tries again.
        QTest::newRow("failures before playing") << QStringList{
            "url http://h/x => closed; open http://h/x; 9 Připojování k h...",
            "fail not-found + retry => retry in -1 ms; closed; 10 Chyba: server h nebyl nalezen",
            "audio + buffer 50 + state => 10 Chyba: server h nebyl nalezen",
            "play => closed; open http://h/x; 9 Připojování k h...",
            "url http://h/list.pls => closed; fetch http://h/list.pls",
            "unread http 403 + retry => retry in -1 ms; closed; 10 Chyba: server vrátil HTTP 403 "
            "(přístup odepřen)",
            // Refused addresses never reach the engine.
            "url v4l2:///dev/video0 + retry => retry in -1 ms; closed; 10 Chyba: adresy typu "
            "\"v4l2:\" nelze přehrát",
            "url http:// => closed; 10 Chyba: neplatná adresa stanice",
            "url /no/such/file.mp3 + play + state => 10 Chyba: neplatná adresa stanice; closed; "
            "closed"};
        QTest::newRow("nested playlists bounded") << QStringList{
            "url http://h/0.pls => closed; fetch http://h/0.pls; 9 Připojování k h...",
            "fetched http://h/1.pls => fetch http://h/1.pls",
            "fetched http://h/2.pls => fetch http://h/2.pls",
            "fetched http://h/deep.pls => open http://h/deep.pls"};
    }

    void scripts()
    {
        QFETCH(QStringList, script);
        QStringList trace;
        for (const QString& line : script) {
            const QString steps = line.section(QStringLiteral(" =>"), 0, 0);
            QStringList shown;
            for (const QString& s : steps.split(QStringLiteral(" + ")))
                step(s, shown);
            if (const QStringList c = calls(); !c.isEmpty()) // "closed": close and cancel fetch
                shown << c.join("; ").replace(QStringLiteral("close; cancel fetch"), "closed");
            shown << notified();
            trace << steps + " =>" + (shown.isEmpty() ? QString() : ' ' + shown.join("; "));
        }
        QCOMPARE(trace, script);
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

    // The engine's gains: 10^(dB / 20) of the decibels the volume display shows
    // (50, as at the start, is -10.00 dB); 0 and mute are silent, balance
    // attenuates the other side linearly, values out of range are clamped.
    void gainsFollowTheDecibelRule()
    {
        const auto gains = [this] {
            return QString::asprintf("%.6f %.6f", m_engine->left, m_engine->right);
        };
        QCOMPARE(gains(), "0.316279 0.316279");
        auto& s = m_player->settings();
        for (const auto& [volume, balance, mute, expected] :
             {std::tuple{0, 0, false, "0.000000 0.000000"},
              {100, 0, true, "0.000000 0.000000"},
              {50, 50, false, "0.158140 0.316279"},
              {150, -300, false, "1.000000 0.000000"}}) {
            s.setVolume(volume);
            s.setBalance(balance);
            s.setMute(mute);
            QCOMPARE(gains(), expected);
        }
        QVERIFY(s.volume() == 100 && s.balance() == -100);
        QCOMPARE(notified(), QStringList{});
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("playlist");
        // A network address with an empty uri: the text as it is.
        const auto net = [](const char* tag, const QString& text, const char* uri, const char* host,
                            int port, bool playlist = false) {
            QTest::newRow(tag) << text << int(StreamAddress::Network)
                               << (*uri ? QString(uri) : text) << QString(host) << port << playlist;
        };
        const auto refused = [](const char* tag, const QString& text, StreamAddress::Kind kind) {
            QTest::newRow(tag) << text << int(kind) << QString() << QString() << 0 << false;
        };
        net("http", "http://127.0.0.1:8000/live.mp3", "", "127.0.0.1", 8000);
        net("blanks", "  http://r.cz/a  ", "http://r.cz/a", "r.cz", 80);
        net("https", "HTTPS://R.cz/a", "https://r.cz/a", "r.cz", 443);
        net("no scheme", "r.cz:8000/live", "http://r.cz:8000/live", "r.cz", 8000);
        net("no scheme no port", "r.cz/live.pls", "http://r.cz/live.pls", "r.cz", 80, true);
        net("rtsp", "rtsp://h/s", "", "h", 554);
        net("mmsh", "mmsh://h/s", "", "h", 80);
        net("query playlist", "http://h/a.M3U?x=1", "", "h", 80, true);
        net("hls is a stream", "http://h/a.m3u8", "", "h", 80);
        net("spaces escaped", "http://h/a%20b", "", "h", 80);
        refused("empty", "   ", StreamAddress::Empty);
        refused("fd", "fd://0", StreamAddress::RefusedScheme);
        refused("data", "data:audio/mp3;base64,AAAA", StreamAddress::RefusedScheme);
        refused("blank inside", "http://h/a b", StreamAddress::Invalid);
        refused("bad port", "http://h:99999999/", StreamAddress::Invalid);
        refused("port zero", "http://h:0/", StreamAddress::Invalid);
        refused("lone surrogate", "r.cz/" + QString(QChar(0xD800)), StreamAddress::Invalid);
        refused("control", "http://h/a\x01", StreamAddress::Invalid);
        refused("file root", "file://:///\t\x01", StreamAddress::Invalid);
        // A folder or a device is no file to play.
        refused("folder", QDir::tempPath(), StreamAddress::Invalid);
        refused("file folder", "file:///tmp/", StreamAddress::Invalid);
        refused("device", "/dev/zero", StreamAddress::Invalid);
        refused("file elsewhere", "file://h/tmp/a.mp3", StreamAddress::Invalid);
    }

    void addresses()
    {
        QFETCH(QString, text);
        const StreamAddress a = StreamAddress::parse(text);
        QTEST(int(a.kind), "kind");
        if (a.playable()) {
            QTEST(a.uri, "uri");
            QTEST(a.host, "host");
            QTEST(a.port, "port");
            QTEST(a.playlistName, "playlist");
        }
    }

    // By plain path (blanks and Czech letters escaped) and by file URI alike.
    void localFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("písnička 1.mp3"));
        QVERIFY(TestFolders::writeBytes(path, {}));
        for (const QString& text : {path, QUrl::fromLocalFile(path).toString()}) {
            const StreamAddress a = StreamAddress::parse(text);
            QCOMPARE(a.kind, StreamAddress::File);
            QVERIFY(a.uri.contains(QStringLiteral("/p%C3%ADsni%C4%8Dka%201.mp3")));
            QCOMPARE(QUrl(a.uri).toLocalFile(), path);
        }
    }

    void playlistContentTypesIgnoreCaseAndParameters()
    {
        QVERIFY(
            StreamAddress::isPlaylistContentType(QStringLiteral("Audio/X-MpegURL; charset=utf-8")));
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

    void oversizedListsAreCut()
    {
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
};

QTEST_GUILESS_MAIN(TestMediaPlayerLogic)
#include "tst_mediaplayer_logic.moc"
