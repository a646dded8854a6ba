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

QByteArray header(const QByteArray& status, const QByteArray& type, const QByteArray& extra = {})
{
    return "HTTP/1.0 " + status + "\r\nContent-Type: " + type + "\r\n" + extra + "\r\n";
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
    auto encoder = ChildProcess::start(
        QStringLiteral("gst-launch-1.0"),
        QStringLiteral("-q audiotestsrc num-buffers=430 wave=sine freq=440 ! "
                       "audio/x-raw,rate=44100,channels=2 ! lamemp3enc target=bitrate "
                       "bitrate=128 cbr=true ! filesink location=%1")
            .arg(file)
            .split(QLatin1Char(' ')));
    if (!encoder || !encoder->waitForFinished(20000))
        return false;
    // An HLS rendition of the same tone: a playlist and MPEG-TS segments.
    const QString hls = m_dir.filePath(QStringLiteral("hls"));
    QDir().mkpath(hls);
    const QStringList segmenterArgs =
        QStringList{QStringLiteral("-q"),
                    QStringLiteral("hlssink2"),
                    QStringLiteral("name=h"),
                    QStringLiteral("target-duration=2"),
                    QStringLiteral("location=") + hls + QStringLiteral("/seg%05d.ts"),
                    QStringLiteral("playlist-location=") + hls + QStringLiteral("/live.m3u8")} +
        QStringLiteral("audiotestsrc num-buffers=300 wave=sine freq=440 ! "
                       "audio/x-raw,rate=44100,channels=2 ! lamemp3enc ! mpegaudioparse ! h.audio")
            .split(QLatin1Char(' '));
    auto segmenter = ChildProcess::start(QStringLiteral("gst-launch-1.0"), segmenterArgs);
    if (!segmenter || !segmenter->waitForFinished(20000))
        return false;
    QFile mp3(file);
    if (!mp3.open(QIODevice::ReadOnly))
        return false;
    m_mp3 = mp3.readAll();
    m_refusedPort = ChildProcess::freePort();
    return !m_mp3.isEmpty() && m_server->listen(QHostAddress::LocalHost, 0);
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

QByteArray FaultServer::playlist(const QString& kind) const
{
    const QByteArray dead = refusedUrl().toUtf8();
    const QByteArray good = url(QStringLiteral("/stream.mp3")).toUtf8();
    if (kind == QLatin1String("pls"))
        return "[playlist]\r\nNumberOfEntries=2\r\nFile1=" + dead +
               "\r\nTitle1=Dead\r\nFile2=" + good + "\r\nTitle2=Good\r\nVersion=2\r\n";
    if (kind == QLatin1String("m3u"))
        return "#EXTM3U\n#EXTINF:-1,Dead\n" + dead + "\n#EXTINF:-1,Good\n" + good + "\n";
    if (kind == QLatin1String("asx"))
        return "<ASX version=\"3.0\"><Entry><REF HREF=\"" + dead +
               "\"/></Entry><Entry><Ref href=\"" + good + "\" /></Entry></ASX>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<playlist version=\"1\" "
           "xmlns=\"http://xspf.org/ns/0/\"><trackList><track><location>" +
           dead + "</location></track><track><location>" + good +
           "</location></track></trackList></playlist>";
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
        startStream(socket, -1, false);
    } else if (path == QLatin1String("/drop.mp3")) {
        startStream(socket, m_dropAfterMs, false);
    } else if (path == QLatin1String("/icy-big.mp3")) {
        startStream(socket, -1, true);
    } else if (path == QLatin1String("/404")) {
        finish(header("404 Not Found", "text/html") + "<html>gone</html>");
    } else if (path == QLatin1String("/blackhole")) {
        // Say nothing; the socket stays open until the client gives up.
    } else if (path == QLatin1String("/garbage")) {
        QByteArray bytes(4096, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        finish(bytes);
    } else if (path == QLatin1String("/noise")) {
        QByteArray bytes(256 * 1024, '\0');
        QRandomGenerator(9).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        finish(header("200 OK", "application/octet-stream") + bytes);
    } else if (path == QLatin1String("/endless-headers")) {
        socket->write("HTTP/1.0 200 OK\r\n");
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket] {
            static int n = 0;
            socket->write("X-Filler-" + QByteArray::number(++n) + ": " + QByteArray(200, 'x') +
                          "\r\n");
        });
        timer->start(5);
    } else if (path.startsWith(QLatin1String("/list."))) {
        static const QHash<QString, QByteArray> types = {
            {QStringLiteral("pls"), "audio/x-scpls"},
            {QStringLiteral("m3u"), "audio/x-mpegurl"},
            {QStringLiteral("asx"), "video/x-ms-asf"},
            {QStringLiteral("xspf"), "application/xspf+xml"}};
        const QString kind = path.mid(6);
        finish(header("200 OK", types.value(kind, "text/plain")) + playlist(kind));
    } else if (path.startsWith(QLatin1String("/hls/")) && !path.contains(QLatin1String(".."))) {
        QFile f(m_dir.filePath(path.mid(1)));
        if (!f.open(QIODevice::ReadOnly))
            finish(header("404 Not Found", "text/plain"));
        else
            finish(header("200 OK", path.endsWith(QLatin1String(".m3u8"))
                                        ? "application/vnd.apple.mpegurl"
                                        : "video/mp2t") +
                   f.readAll());
    } else if (path == QLatin1String("/typed-list")) {
        finish(header("200 OK", "audio/x-scpls") + playlist(QStringLiteral("pls")));
    } else {
        finish(header("404 Not Found", "text/plain"));
    }
}

// A station: a burst of about four seconds, then real time, looping the tone.
void FaultServer::startStream(QTcpSocket* socket, int dropAfterMs, bool icy)
{
    QByteArray extra = "icy-name: Fault Radio\r\n";
    if (icy)
        extra += "icy-metaint: " + QByteArray::number(IcyInterval) + "\r\n";
    socket->write(header("200 OK", "audio/mpeg", extra));

    struct State
    {
        qint64 offset = 0; // into the looped MP3 data
        qint64 sent = 0;   // audio bytes sent
        qint64 sinceMeta = 0;
        QElapsedTimer clock;
    };
    auto state = std::make_shared<State>();
    state->clock.start();
    auto* timer = new QTimer(socket);
    auto pump = [this, socket, state, dropAfterMs, icy, timer] {
        if (dropAfterMs >= 0 && state->clock.elapsed() >= dropAfterMs) {
            timer->stop();
            socket->abort();
            return;
        }
        const qint64 due = 4 * BytesPerSecond + state->clock.elapsed() * BytesPerSecond / 1000;
        QByteArray out;
        while (state->sent < due) {
            qint64 n = std::min<qint64>(due - state->sent, m_mp3.size() - state->offset);
            if (icy)
                n = std::min<qint64>(n, IcyInterval - state->sinceMeta);
            out += m_mp3.mid(state->offset, n);
            state->offset = (state->offset + n) % m_mp3.size();
            state->sent += n;
            state->sinceMeta += n;
            if (icy && state->sinceMeta == IcyInterval) {
                // The largest block the protocol allows, holding an overlong title.
                QByteArray meta = "StreamTitle='" + QByteArray(4000, 'A') + "';";
                meta = meta.leftJustified(255 * 16, '\0');
                out += char(255) + meta;
                state->sinceMeta = 0;
            }
        }
        socket->write(out);
    };
    connect(timer, &QTimer::timeout, socket, pump);
    timer->start(100);
    pump();
}
