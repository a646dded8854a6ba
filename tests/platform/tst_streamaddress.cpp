// Stream addresses and playlists: what reaches the media engine, and what not.
#include "platform/PlaylistParser.h"
#include "platform/StreamAddress.h"
#include "platform/StreamError.h"

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
        const auto row = [](const char* tag, const QString& text, const QString& uri,
                            const QString& host, int port, bool playlist) {
            QTest::newRow(tag) << text << uri << host << port << playlist;
        };
        row("http", "http://127.0.0.1:8000/live.mp3", "http://127.0.0.1:8000/live.mp3", "127.0.0.1",
            8000, false);
        row("blanks", "  http://radio.cz/a  ", "http://radio.cz/a", "radio.cz", 80, false);
        row("https", "HTTPS://Radio.cz/a", "https://radio.cz/a", "radio.cz", 443, false);
        row("no scheme", "radio.cz:8000/live", "http://radio.cz:8000/live", "radio.cz", 8000,
            false);
        row("no scheme no port", "radio.cz/live.pls", "http://radio.cz/live.pls", "radio.cz", 80,
            true);
        row("rtsp", "rtsp://h/s", "rtsp://h/s", "h", 554, false);
        row("mmsh", "mmsh://h/s", "mmsh://h/s", "h", 80, false);
        row("query playlist", "http://h/a.M3U?x=1", "http://h/a.M3U?x=1", "h", 80, true);
        row("hls is a stream", "http://h/a.m3u8", "http://h/a.m3u8", "h", 80, false);
        row("spaces escaped", "http://h/a%20b", "http://h/a%20b", "h", 80, false);
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
        QVERIFY(StreamAddress::isPlaylistContentType(QStringLiteral("audio/x-scpls")));
        QVERIFY(
            StreamAddress::isPlaylistContentType(QStringLiteral("Audio/X-MpegURL; charset=utf-8")));
        QVERIFY(!StreamAddress::isPlaylistContentType(QStringLiteral("audio/mpeg")));
        QVERIFY(!StreamAddress::isPlaylistContentType(QStringLiteral("application/ogg")));
    }

    void playlists_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("entries");
        const QString a = QStringLiteral("http://a.cz:8000/live");
        const QString b = QStringLiteral("http://b.cz/x.mp3");
        QTest::newRow("pls") << QByteArray("\xEF\xBB\xBF[playlist]\r\nNumberOfEntries=2\r\nFile2=" +
                                           b.toUtf8() + "\r\nfile1 = " + a.toUtf8() +
                                           "\r\nTitle1=A\r\n")
                             << QStringList{a, b};
        QTest::newRow("m3u") << QByteArray("#EXTM3U\n#EXTINF:-1,A\n" + a.toUtf8() + "\n\n" +
                                           b.toUtf8() + "\n" + a.toUtf8() + "\n")
                             << QStringList{a, b};
        QTest::newRow("m3u relative") << QByteArray("sub/x.mp3\r\n/root.mp3\r\n")
                                      << QStringList{QStringLiteral("http://h/lists/sub/x.mp3"),
                                                     QStringLiteral("http://h/root.mp3")};
        QTest::newRow("asx sloppy") << QByteArray("<ASX version=\"3.0\"><TITLE>R&R</TITLE><Entry>"
                                                  "<REF HREF=\"" +
                                                  a.toUtf8() + "\"/></Entry><entry><ref href='" +
                                                  b.toUtf8() + "?a=1&amp;b=2' /></entry></asx>")
                                    << QStringList{a, b + QStringLiteral("?a=1&b=2")};
        QTest::newRow("xspf") << QByteArray("<?xml version=\"1.0\"?><playlist version=\"1\" "
                                            "xmlns=\"http://xspf.org/ns/0/\"><location>http://"
                                            "not/a/track</location><trackList><track><location> " +
                                            a.toUtf8() + " </location></track><track><location>" +
                                            b.toUtf8() +
                                            "</location></track></trackList></playlist>")
                              << QStringList{a, b};
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("binary") << QByteArray("\x00\x01\x02", 3)
                                << QStringList{QString::fromLatin1("\x01\x02", 2)}.mid(1);
    }

    void playlists()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, entries);
        const auto result = PlaylistParser::parse(data, QStringLiteral("http://h/lists/l.m3u"));
        QVERIFY(!result.hls);
        if (QByteArray(QTest::currentDataTag()) == "binary")
            return; // must simply not crash
        QCOMPARE(result.entries, entries);
    }

    void hlsIsAStream()
    {
        const auto r = PlaylistParser::parse("#EXTM3U\n#EXT-X-TARGETDURATION:10\nseg1.ts\n",
                                             QStringLiteral("http://h/a.m3u8"));
        QVERIFY(r.hls);
    }

    void oversizedPlaylistIsCut()
    {
        QByteArray data;
        while (data.size() < 2 * PlaylistParser::MaxSize)
            data += "http://h/" + QByteArray::number(data.size()) + "\n";
        const auto r = PlaylistParser::parse(data, QStringLiteral("http://h/l.m3u"));
        QVERIFY(!r.entries.isEmpty());
        QVERIFY(r.entries.size() < 30000);
    }

    void httpStatusFromEngineText()
    {
        QCOMPARE(StreamError::httpStatusFromDebug(QStringLiteral(
                     "File not found (404), URL: http://127.0.0.1:1/x, Redirect to: (NULL)")),
                 404);
        QCOMPARE(StreamError::httpStatusFromDebug(
                     QStringLiteral("streaming stopped, reason error (-5)")),
                 0);
    }
};

QTEST_GUILESS_MAIN(TestStreamAddress)
#include "tst_streamaddress.moc"
