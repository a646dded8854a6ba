// An HTTP server of the tests' own on 127.0.0.1 that misbehaves on request.
// Paths:
//   /stream.mp3      a paced MP3 stream (a sine tone), like a radio station
//   /drop.mp3        the same, but the connection drops after dropAfterMs; the
//                    next request plays again
//   /icy-big.mp3     the stream with ICY metadata blocks of the largest size
//   /titles.mp3      the stream with a new title 62 times a second: the title
//                    prefix (raw bytes) and a number
//   /trickle.mp3     the stream until trickleAfterMs (0: no burst either),
//                    then one byte a second
//   /404             HTTP 404
//   /blackhole       accepts and never answers (rtsp:// too)
//   /garbage         answers with bytes that are not HTTP at all
//   /noise           HTTP 200 with random bytes that are no audio format
//   /endless-headers a status line, then header lines forever
//   /list.pls        a playlist: a dead entry, then /stream.mp3
//   /typed-list      a PLS playlist without extension, known only by its content type
//   /dead.pls        a playlist of 500 entries, all refused
//   /hls/live.m3u8   an HLS stream (MPEG-TS segments) with the HLS content type
// refusedUrl() names a port on which nothing listens.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTemporaryDir>

class QTcpServer;
class QTcpSocket;

class FaultServer : public QObject
{
    Q_OBJECT

public:
    explicit FaultServer(QObject* parent = nullptr);
    ~FaultServer() override;

    // Listens and prepares the MP3 data (encoded once with gst-launch-1.0).
    bool start();
    QString errorString() const { return m_error; }

    QString url(const QString& path) const;
    QString refusedUrl() const;
    void setDropAfterMs(int ms) { m_dropAfterMs = ms; }
    void setTrickleAfterMs(int ms) { m_trickleAfterMs = ms; }
    void setTitlePrefix(const QByteArray& bytes) { m_titlePrefix = bytes; }

    // The tone the streams loop: about ten seconds of 128 kbit/s MP3.
    QByteArray mp3Data() const { return m_mp3; }

    int requests(const QString& path) const { return m_requests.value(path); }
    QByteArray lastUserAgent() const { return m_lastUserAgent; }

private:
    void onConnection();
    void serve(QTcpSocket* socket, const QString& path);
    void startStream(QTcpSocket* socket, const QString& path);

    QTcpServer* m_server;
    QTemporaryDir m_dir;
    QByteArray m_mp3;
    quint16 m_refusedPort = 0;
    int m_dropAfterMs = 3000;
    int m_trickleAfterMs = 0;
    QByteArray m_titlePrefix = "Song";
    QHash<QString, QByteArray> m_pages; // the answers that are the same each time
    QHash<QString, int> m_requests;
    QByteArray m_lastUserAgent;
    QString m_error;
};
