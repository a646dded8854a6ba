#include "FaultServer.h"

#include "ChildProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

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

} // namespace

FaultServer::FaultServer(QObject* parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &FaultServer::onConnection);
}

FaultServer::~FaultServer() = default;

bool FaultServer::start()
{
    const QString file = m_dir.filePath(QStringLiteral("tone.mp3"));
    if (!encodeTone(430, QStringLiteral("lamemp3enc target=bitrate bitrate=128 cbr=true"), file)) {
        m_error = QStringLiteral("the MP3 tone could not be encoded");
        return false;
    }
    // An HLS rendition of the same tone: a playlist and MPEG-TS segments.
    const QString hls = m_dir.filePath(QStringLiteral("hls"));
    QDir().mkpath(hls);
    const bool segmented =
        encodeTone(300, QStringLiteral("lamemp3enc ! mpegaudioparse ! mpegtsmux"),
                   hls + QStringLiteral("/seg00000.ts"));
    QFile playlist(hls + QStringLiteral("/live.m3u8"));
    if (!segmented || !playlist.open(QIODevice::WriteOnly) ||
        playlist.write("#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:7\n"
                       "#EXT-X-MEDIA-SEQUENCE:0\n#EXTINF:6.9,\nseg00000.ts\n#EXT-X-ENDLIST\n") <
            0) {
        m_error = QStringLiteral("the HLS segment could not be made");
        return false;
    }
    QFile mp3(file);
    if (mp3.open(QIODevice::ReadOnly))
        m_mp3 = mp3.readAll();
    m_refusedPort = ChildProcess::freePort();
    if (m_mp3.isEmpty() || !m_server->listen(QHostAddress::LocalHost, 0)) {
        m_error = QStringLiteral("no MP3 data or no port to listen on");
        return false;
    }
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
            if (socket->property("served").toBool())
                return;
            QByteArray request = socket->property("request").toByteArray() + socket->readAll();
            socket->setProperty("request", request);
            if (!request.contains("\r\n\r\n"))
                return;
            socket->setProperty("served", true);
            for (const QByteArray& line : request.split('\n'))
                if (line.toLower().startsWith("user-agent:"))
                    m_lastUserAgent = line.mid(11).trimmed();
            serve(socket, request.split(' ').value(1));
        });
    }
}

// A PLS playlist: a dead entry first, then the stream.
QByteArray FaultServer::playlist() const
{
    return "[playlist]\r\nNumberOfEntries=2\r\nFile1=" + refusedUrl().toUtf8() +
           "\r\nTitle1=Dead\r\nFile2=" + url(QStringLiteral("/stream.mp3")).toUtf8() +
           "\r\nTitle2=Good\r\nVersion=2\r\n";
}

void FaultServer::serve(QTcpSocket* socket, const QByteArray& rawPath)
{
    const QString path = QString::fromUtf8(rawPath);
    m_requests[path] += 1;
    auto finish = [socket](const QByteArray& data) {
        socket->write(data);
        socket->disconnectFromHost();
    };
    if (path == QLatin1String("/stream.mp3")) {
        startStream(socket, -1, NoMeta);
    } else if (path == QLatin1String("/drop.mp3")) {
        startStream(socket, m_dropAfterMs, NoMeta);
    } else if (path == QLatin1String("/icy-big.mp3")) {
        startStream(socket, -1, BigMeta);
    } else if (path == QLatin1String("/titles.mp3")) {
        startStream(socket, -1, Titles);
    } else if (path == QLatin1String("/trickle.mp3")) {
        startStream(socket, -1, NoMeta, m_trickleAfterMs);
    } else if (path == QLatin1String("/dead.pls")) {
        QByteArray list = "[playlist]\r\n";
        for (int i = 1; i <= 500; ++i)
            list += "File" + QByteArray::number(i) + '=' +
                    refusedUrl().replace("dead", QStringLiteral("dead%1").arg(i)).toUtf8() + "\r\n";
        finish(header("200 OK", "audio/x-scpls") + list);
    } else if (path == QLatin1String("/404")) {
        finish(header("404 Not Found", "text/html") + "<html>gone</html>");
    } else if (path == QLatin1String("/blackhole")) {
        // Say nothing; the socket stays open until the client gives up.
    } else if (path == QLatin1String("/garbage") || path == QLatin1String("/noise")) {
        const bool noise = path == QLatin1String("/noise");
        QByteArray bytes(noise ? 256 * 1024 : 4096, '\0');
        QRandomGenerator(noise ? 9 : 7)
            .fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        finish(noise ? header("200 OK", "application/octet-stream") + bytes : bytes);
    } else if (path == QLatin1String("/endless-headers")) {
        socket->write("HTTP/1.0 200 OK\r\n");
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket] {
            static int n = 0;
            socket->write("X-Filler-" + QByteArray::number(++n) + ": " + QByteArray(200, 'x') +
                          "\r\n");
        });
        timer->start(5);
    } else if (path == QLatin1String("/list.pls") || path == QLatin1String("/typed-list")) {
        finish(header("200 OK", "audio/x-scpls") + playlist());
    } else if (QFile f(m_dir.filePath(path.mid(1))); path.startsWith(QLatin1String("/hls/")) &&
                                                     !path.contains(QLatin1String("..")) &&
                                                     f.open(QIODevice::ReadOnly)) {
        finish(header("200 OK", path.endsWith(QLatin1String(".m3u8"))
                                    ? "application/vnd.apple.mpegurl"
                                    : "video/mp2t") +
               f.readAll());
    } else {
        finish(header("404 Not Found", "text/plain"));
    }
}

// A station: a burst of about four seconds, then real time, looping the tone.
void FaultServer::startStream(QTcpSocket* socket, int dropAfterMs, Meta meta, int trickleAfterMs)
{
    const bool icy = meta != NoMeta;
    const int interval = meta == Titles ? TitleInterval : IcyInterval;
    QByteArray extra = "icy-name: Fault Radio\r\n";
    if (icy)
        extra += "icy-metaint: " + QByteArray::number(interval) + "\r\n";
    socket->write(header("200 OK", "audio/mpeg", extra));

    struct State
    {
        qint64 offset = 0; // into the looped MP3 data
        qint64 sent = 0;   // audio bytes sent
        qint64 sinceMeta = 0;
        int titles = 0;
        QElapsedTimer clock;
    };
    auto state = std::make_shared<State>();
    state->clock.start();
    auto* timer = new QTimer(socket);
    auto pump = [this, socket, state, dropAfterMs, icy, interval, meta, timer, trickleAfterMs] {
        if (dropAfterMs >= 0 && state->clock.elapsed() >= dropAfterMs) {
            timer->stop();
            socket->abort();
            return;
        }
        const qint64 ms = state->clock.elapsed();
        qint64 due = 4 * BytesPerSecond + ms * BytesPerSecond / 1000;
        if (trickleAfterMs >= 0 && ms >= trickleAfterMs)
            due =
                (trickleAfterMs ? 4 * BytesPerSecond + trickleAfterMs * BytesPerSecond / 1000 : 0) +
                (ms - trickleAfterMs) / 1000;
        QByteArray out;
        while (state->sent < due) {
            qint64 n = std::min<qint64>(due - state->sent, m_mp3.size() - state->offset);
            if (icy)
                n = std::min<qint64>(n, interval - state->sinceMeta);
            out += m_mp3.mid(state->offset, n);
            state->offset = (state->offset + n) % m_mp3.size();
            state->sent += n;
            state->sinceMeta += n;
            if (icy && state->sinceMeta == interval) {
                // The largest block the protocol allows, holding an overlong
                // title; or a new title each time, numbered.
                const QByteArray title =
                    meta == Titles ? m_titlePrefix + ' ' + QByteArray::number(++state->titles)
                                   : QByteArray(4000, 'A');
                const QByteArray text = "StreamTitle='" + title + "';";
                const qsizetype blocks = meta == Titles ? (text.size() + 15) / 16 : 255;
                out += char(blocks) + text.leftJustified(blocks * 16, '\0');
                state->sinceMeta = 0;
            }
        }
        socket->write(out);
    };
    connect(timer, &QTimer::timeout, socket, pump);
    timer->start(100);
    pump();
}
