#include "IcecastServer.h"

#include "ChildProcess.h"
#include "TestFolders.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace {

constexpr const char* SourcePassword = "hackme-source";
constexpr const char* AdminPassword = "hackme-admin";

QString config(quint16 port, const QString& logDir)
{
    return QStringLiteral(R"(<icecast><hostname>127.0.0.1</hostname>
  <limits><clients>500</clients><sources>4</sources><burst-size>65535</burst-size></limits>
  <authentication><source-password>%2</source-password>
    <admin-user>admin</admin-user><admin-password>%3</admin-password></authentication>
  <listen-socket><port>%1</port><bind-address>127.0.0.1</bind-address></listen-socket>
  <paths><basedir>/usr/share/icecast2</basedir><logdir>%4</logdir><pidfile>%4/icecast.pid</pidfile>
    <webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</adminroot></paths>
  <logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog><loglevel>2</loglevel></logging>
  <security><chroot>0</chroot></security></icecast>
)")
        .arg(port)
        .arg(QLatin1String(SourcePassword), QLatin1String(AdminPassword), logDir);
}

} // namespace

IcecastServer::~IcecastServer()
{
    stop();
}

QString IcecastServer::url(const char* mount) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(mount));
}

bool IcecastServer::start()
{
    // Icecast refuses to run as root: a root test runs it as its package's user,
    // who must read the folder and write the logs.
    const QString logDir = m_dir.filePath(QStringLiteral("log"));
    const QString configFile = m_dir.filePath(QStringLiteral("icecast.xml"));
    m_port = ChildProcess::freePort();
    if (!QDir().mkpath(logDir) ||
        !TestFolders::writeBytes(configFile, config(m_port, logDir).toUtf8()) ||
        !QFile::setPermissions(m_dir.path(), QFile::Permissions(0x7755)) || // rwxr-xr-x
        !QFile::setPermissions(logDir, QFile::Permissions(0x7777))) {       // rwxrwxrwx
        m_error = QStringLiteral("cannot write the configuration");
        return false;
    }
    m_server = ChildProcess::start(QStringLiteral("icecast2"), {QStringLiteral("-c"), configFile},
                                   "icecast2");
    // Up when it answers; live when the status lists the mounts.
    const auto listed = [this](const QByteArray& mount) {
        return [this, mount] {
            QByteArray body;
            return ChildProcess::httpGet(m_port, "/status-json.xsl", &body) == 200 &&
                   body.contains(mount);
        };
    };
    if (!m_server || !ChildProcess::waitUntil(listed({}), 5000, m_server.get())) {
        m_error = QStringLiteral("icecast2 does not answer");
        return false;
    }
    m_mp3Feed = feed(Mp3Mount, QStringLiteral("lamemp3enc target=bitrate bitrate=128 cbr=true"),
                     "title=\\\"First Song\\\",artist=\\\"Some Artist\\\"");
    m_oggFeed = feed(OggMount, QStringLiteral("vorbisenc quality=0.3 ! oggmux"),
                     "title=\\\"Ogg Song\\\",artist=\\\"Other Artist\\\"");
    if (!m_mp3Feed || !m_oggFeed || !ChildProcess::waitUntil(listed(Mp3Mount), 10000) ||
        !ChildProcess::waitUntil(listed(OggMount), 10000)) {
        m_error = QStringLiteral("the mounts did not come up");
        return false;
    }
    return true;
}

std::unique_ptr<QProcess> IcecastServer::feed(const char* mount, const QString& encoder,
                                              const char* title)
{
    // One argument per token (gst-launch-1.0 keeps blanks inside one), the
    // tags and the station name with theirs.
    QStringList args =
        QStringLiteral("-q audiotestsrc is-live=true wave=sine freq=440 ! audioconvert ! "
                       "audioresample ! audio/x-raw,rate=44100,channels=2 ! taginject TAGS ! %1 ! "
                       "shout2send ip=127.0.0.1 port=%2 password=%3 mount=%4 NAME")
            .arg(encoder)
            .arg(m_port)
            .arg(QLatin1String(SourcePassword), QLatin1String(mount))
            .split(QLatin1Char(' '));
    args.replace(args.indexOf("TAGS"), QStringLiteral("tags=\"%1\"").arg(QLatin1String(title)));
    args.replace(args.indexOf("NAME"), QStringLiteral("streamname=") + QLatin1String(StationName));
    return ChildProcess::start(QStringLiteral("gst-launch-1.0"), args);
}

bool IcecastServer::setTitle(const QString& mount, const QString& text)
{
    const QByteArray query = "/admin/metadata?mount=" + QUrl::toPercentEncoding(mount) +
                             "&mode=updinfo&song=" + QUrl::toPercentEncoding(text);
    return ChildProcess::httpGet(m_port, query, nullptr, QByteArray("admin:") + AdminPassword) ==
           200;
}

void IcecastServer::stop()
{
    for (std::unique_ptr<QProcess>* process : {&m_mp3Feed, &m_oggFeed, &m_server}) {
        ChildProcess::stop(process->get());
        process->reset();
    }
}
