#include "IcecastServer.h"

#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QUrl>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr const char* SourcePassword = "hackme-source";
constexpr const char* AdminPassword = "hackme-admin";

QString config(quint16 port, const QString& logDir)
{
    return QStringLiteral(R"(<icecast>
  <limits><clients>500</clients><sources>4</sources><burst-size>65535</burst-size></limits>
  <authentication>
    <source-password>%2</source-password>
    <admin-user>admin</admin-user><admin-password>%3</admin-password>
  </authentication>
  <hostname>127.0.0.1</hostname>
  <listen-socket><port>%1</port><bind-address>127.0.0.1</bind-address></listen-socket>
  <paths>
    <basedir>/usr/share/icecast2</basedir>
    <logdir>%4</logdir>
    <webroot>/usr/share/icecast2/web</webroot>
    <adminroot>/usr/share/icecast2/admin</adminroot>
    <pidfile>%4/icecast.pid</pidfile>
  </paths>
  <logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog><loglevel>2</loglevel></logging>
  <security><chroot>0</chroot></security>
</icecast>
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
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    const bool asRoot = geteuid() == 0;
    const QString logDir = m_dir.filePath(QStringLiteral("log"));
    QDir().mkpath(logDir);
    if (asRoot) {
        // Icecast refuses to run as root: it runs as its package's user from the start.
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther |
                                                QFile::ReadGroup | QFile::ExeGroup);
        const passwd* user = getpwnam("icecast2");
        const group* grp = getgrnam("icecast");
        if (!user || !grp ||
            chown(logDir.toLocal8Bit().constData(), user->pw_uid, grp->gr_gid) != 0) {
            m_error = QStringLiteral("cannot hand the log folder to icecast2");
            return false;
        }
    }
    m_port = ChildProcess::freePort();
    const QString configFile = m_dir.filePath(QStringLiteral("icecast.xml"));
    QFile file(configFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(config(m_port, logDir).toUtf8()) < 0) {
        m_error = QStringLiteral("cannot write the configuration");
        return false;
    }
    file.close();

    m_server = ChildProcess::start(QStringLiteral("icecast2"), {QStringLiteral("-c"), configFile},
                                   "icecast2");
    if (!m_server) {
        m_error = QStringLiteral("icecast2 did not start");
        return false;
    }
    QDeadlineTimer up(5000);
    while (ChildProcess::httpGet(m_port, "/status-json.xsl") != 200) {
        if (up.hasExpired() || m_server->state() == QProcess::NotRunning) {
            m_error = QStringLiteral("icecast2 does not answer");
            return false;
        }
        QThread::msleep(100);
    }
    m_mp3Feed = feed(Mp3Mount, QStringLiteral("lamemp3enc target=bitrate bitrate=128 cbr=true"),
                     "title=\\\"First Song\\\",artist=\\\"Some Artist\\\"");
    m_oggFeed = feed(OggMount, QStringLiteral("vorbisenc quality=0.3 ! oggmux"),
                     "title=\\\"Ogg Song\\\",artist=\\\"Other Artist\\\"");
    if (!m_mp3Feed || !m_oggFeed || !mountsLive(10000)) {
        m_error = QStringLiteral("the mounts did not come up");
        return false;
    }
    return true;
}

std::unique_ptr<QProcess> IcecastServer::feed(const char* mount, const QString& encoder,
                                              const char* title)
{
    // One argument per token: gst-launch-1.0 keeps blanks inside an argument.
    QStringList args = QStringList{QStringLiteral("-q")} +
                       QStringLiteral("audiotestsrc is-live=true wave=sine freq=440 ! "
                                      "audioconvert ! audioresample ! "
                                      "audio/x-raw,rate=44100,channels=2 ! taginject")
                           .split(QLatin1Char(' '));
    args << QStringLiteral("tags=\"%1\"").arg(QLatin1String(title)) << QStringLiteral("!");
    args += encoder.split(QLatin1Char(' '));
    args << QStringLiteral("!") << QStringLiteral("shout2send") << QStringLiteral("ip=127.0.0.1")
         << QStringLiteral("port=%1").arg(m_port)
         << QStringLiteral("password=%1").arg(QLatin1String(SourcePassword))
         << QStringLiteral("mount=%1").arg(QLatin1String(mount))
         << QStringLiteral("streamname=%1").arg(QLatin1String(StationName));
    return ChildProcess::start(QStringLiteral("gst-launch-1.0"), args);
}

bool IcecastServer::mountsLive(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QByteArray body;
        if (ChildProcess::httpGet(m_port, "/status-json.xsl", &body) == 200 &&
            body.contains(Mp3Mount) && body.contains(OggMount))
            return true;
        QThread::msleep(100);
    }
    return false;
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
