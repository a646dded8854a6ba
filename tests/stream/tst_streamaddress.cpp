// Text from outside: stream addresses and playlists (what reaches the media
// engine, and what not) and the titles a stream sends.
#include "stream/PlaylistParser.h"
#include "stream/StreamAddress.h"
#include "stream/StreamError.h"
#include "stream/TitleText.h"

#include <QtTest>

class TestStreamAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

QTEST_GUILESS_MAIN(TestStreamAddress)
#include "tst_streamaddress.moc"
