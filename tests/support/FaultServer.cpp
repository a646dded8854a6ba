#include "FaultServer.h"

#include "ChildProcess.h"
#include "TestFolders.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int BytesPerSecond = 16000; // 128 kbit/s
constexpr int IcyInterval = 8192;
constexpr int TitleInterval = 256; // 62 title changes a second

QByteArray header(const QByteArray& status, const QByteArray& type, const QByteArray& extra = {})
{
    return "HTTP/1.0 " + status + "\r\nContent-Type: " + type + "\r\n" + extra + "\r\n";
}

// A 440 Hz tone of `buffers` buffers through the encoder (gst-launch-1.0
// elements) into file.
bool encodeTone(int buffers, const QString& encoder, const QString& file)
{
    return ChildProcess::run(QStringLiteral("gst-launch-1.0"),
                             QStringLiteral("-q audiotestsrc num-buffers=%1 wave=sine freq=440 ! "
                                            "audio/x-raw,rate=44100,channels=2 ! %2 ! filesink")
                                     .arg(buffers)
                                     .arg(encoder)
                                     .split(QLatin1Char(' '))
                                 << QStringLiteral("location=") + file);
}

QByteArray randomBytes(int size, int seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

} // namespace

FaultServer::FaultServer(QObject* parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &FaultServer::onConnection);
}

FaultServer::~FaultServer() = default;

bool FaultServer::start()
{
    // The tone, and an HLS rendition of it: MPEG-TS segments.
    const QString mp3 = m_dir.filePath(QStringLiteral("tone.mp3"));
    const QString ts = m_dir.filePath(QStringLiteral("tone.ts"));
    if (!encodeTone(430, QStringLiteral("lamemp3enc target=bitrate bitrate=128 cbr=true"), mp3) ||
        !encodeTone(300, QStringLiteral("lamemp3enc ! mpegaudioparse ! mpegtsmux"), ts) ||
        (m_mp3 = TestFolders::readBytes(mp3)).isEmpty() ||
        !m_server->listen(QHostAddress::LocalHost, 0)) {
        m_error = QStringLiteral("the tone could not be encoded, or no port to listen on");
        return false;
    }
    m_refusedPort = ChildProcess::freePort();
    QByteArray dead = header("200 OK", "audio/x-scpls") + "[playlist]\r\n";
    for (int i = 1; i <= 500; ++i)
        dead += "File" + QByteArray::number(i) + '=' +
                refusedUrl().replace("dead", QStringLiteral("dead%1").arg(i)).toUtf8() + "\r\n";
    // A dead entry first, then the stream.
    const QByteArray list =
        header("200 OK", "audio/x-scpls") +
        "[playlist]\r\nNumberOfEntries=2\r\nFile1=" + refusedUrl().toUtf8() +
        "\r\nTitle1=Dead\r\nFile2=" + url(QStringLiteral("/stream.mp3")).toUtf8() +
        "\r\nTitle2=Good\r\nVersion=2\r\n";
    m_pages = {
        {QStringLiteral("/404"), header("404 Not Found", "text/html") + "<html>gone</html>"},
        {QStringLiteral("/garbage"), randomBytes(4096, 7)},
        {QStringLiteral("/noise"),
         header("200 OK", "application/octet-stream") + randomBytes(256 * 1024, 9)},
        {QStringLiteral("/dead.pls"), dead},
        {QStringLiteral("/list.pls"), list},
        {QStringLiteral("/typed-list"), list},
        {QStringLiteral("/hls/live.m3u8"),
         header("200 OK", "application/vnd.apple.mpegurl") +
             "#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:7\n#EXT-X-MEDIA-SEQUENCE:0\n"
             "#EXTINF:6.9,\nseg00000.ts\n#EXT-X-ENDLIST\n"},
        {QStringLiteral("/hls/seg00000.ts"),
         header("200 OK", "video/mp2t") + TestFolders::readBytes(ts)},
    };
    return true;
}

QString FaultServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server->serverPort()).arg(path);
}

QString FaultServer::refusedUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/dead.mp3").arg(m_refusedPort);
}

void FaultServer::onConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            // One request a connection, answered once all of it is in.
            const QByteArray request = socket->peek(socket->bytesAvailable());
            if (socket->property("served").toBool() || !request.contains("\r\n\r\n"))
                return;
            socket->setProperty("served", true);
            for (const QByteArray& line : request.split('\n'))
                if (line.toLower().startsWith("user-agent:"))
                    m_lastUserAgent = line.mid(11).trimmed();
            serve(socket,
                  QUrl(QString::fromUtf8(request.split(' ').value(1))).path()); // or rtsp://
        });
    }
}

void FaultServer::serve(QTcpSocket* socket, const QString& path)
{
    m_requests[path] += 1;
    if (path == QLatin1String("/endless-headers")) {
        socket->write("HTTP/1.0 200 OK\r\n");
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket, n = 0]() mutable {
            socket->write("X-Filler-" + QByteArray::number(++n) + ": " + QByteArray(200, 'x') +
                          "\r\n");
        });
        timer->start(5);
    } else if (const QStringList streams{"/stream.mp3", "/drop.mp3", "/icy-big.mp3", "/titles.mp3",
                                         "/trickle.mp3"};
               streams.contains(path)) {
        startStream(socket, path);
    } else if (path != QLatin1String("/blackhole")) { // a black hole never answers
        socket->write(m_pages.value(path, header("404 Not Found", "text/plain")));
        socket->disconnectFromHost();
    }
}

// A station: a burst of about four seconds, then real time, looping the tone.
void FaultServer::startStream(QTcpSocket* socket, const QString& path)
{
    const int dropAfterMs = path == QLatin1String("/drop.mp3") ? m_dropAfterMs : -1;
    const int trickleAfterMs = path == QLatin1String("/trickle.mp3") ? m_trickleAfterMs : -1;
    const bool titles = path == QLatin1String("/titles.mp3");
    const bool icy = titles || path == QLatin1String("/icy-big.mp3");
    const int interval = titles ? TitleInterval : IcyInterval;
    QByteArray extra = "icy-name: Fault Radio\r\n";
    if (icy)
        extra += "icy-metaint: " + QByteArray::number(interval) + "\r\n";
    socket->write(header("200 OK", "audio/mpeg", extra));

    auto* timer = new QTimer(socket);
    QElapsedTimer clock;
    clock.start();
    // offset into the looped MP3 data, audio bytes sent, since the last metadata
    connect(
        timer, &QTimer::timeout, socket,
        [=, this, offset = qint64(0), sent = qint64(0), sinceMeta = qint64(0), n = 0]() mutable {
            const qint64 ms = clock.elapsed();
            if (dropAfterMs >= 0 && ms >= dropAfterMs) {
                timer->stop();
                socket->abort();
                return;
            }
            qint64 due = 4 * BytesPerSecond + ms * BytesPerSecond / 1000;
            if (trickleAfterMs >= 0 && ms >= trickleAfterMs) // then one byte a second
                due = (trickleAfterMs ? 4 * BytesPerSecond + trickleAfterMs * BytesPerSecond / 1000
                                      : 0) +
                      (ms - trickleAfterMs) / 1000;
            QByteArray out;
            while (sent < due) {
                qint64 size = std::min<qint64>(due - sent, m_mp3.size() - offset);
                if (icy)
                    size = std::min<qint64>(size, interval - sinceMeta);
                out += m_mp3.mid(offset, size);
                offset = (offset + size) % m_mp3.size();
                sent += size;
                sinceMeta += size;
                if (icy && sinceMeta == interval) {
                    // A new title each time, numbered; or the largest block the
                    // protocol allows, holding an overlong title.
                    const QByteArray text = "StreamTitle='" +
                                            (titles ? m_titlePrefix + ' ' + QByteArray::number(++n)
                                                    : QByteArray(4000, 'A')) +
                                            "';";
                    const qsizetype blocks = titles ? (text.size() + 15) / 16 : 255;
                    out += char(blocks) + text.leftJustified(blocks * 16, '\0');
                    sinceMeta = 0;
                }
            }
            socket->write(out);
        });
    timer->start(100);
}
