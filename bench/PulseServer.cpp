#include "PulseServer.h"

#include "ChildProcess.h"
#include "TestFolders.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

PulseServer::~PulseServer()
{
    stop();
}

bool PulseServer::start(int timeoutMs)
{
    const QByteArray socket = path("native").toUtf8();
    TestFolders::writeBytes(path("server.pa"),
                            "load-module module-null-sink sink_name=bench\n"
                            "load-module module-native-protocol-unix auth-anonymous=1 socket=" +
                                socket + "\n");
    TestFolders::writeBytes(path("daemon.conf"), {});
    TestFolders::writeBytes(path("client.conf"),
                            "autospawn = no\ncookie-file = " + path("cookie").toUtf8() + "\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
        environment.insert(name, m_dir.path());
    environment.insert("PULSE_CONFIG", path("daemon.conf")); // instead of /etc/pulse
    environment.remove("DBUS_SESSION_BUS_ADDRESS");
    m_process = std::make_unique<QProcess>();
    m_process->setProcessEnvironment(environment);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(path("server.log"));
    ChildProcess::killWithTest(m_process.get());
    // -n: no default script, only ours.
    m_process->start(QStringLiteral("pulseaudio"),
                     {"-n", "-F", path("server.pa"), "--daemonize=no", "--use-pid-file=no",
                      "--exit-idle-time=-1", "--log-target=stderr", "--log-level=debug",
                      "--log-time=1"});
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(QString::fromUtf8(socket))) {
        if (m_process->state() == QProcess::NotRunning || clock.elapsed() > timeoutMs) {
            m_error = QStringLiteral("pulseaudio did not start: ") + QString::fromUtf8(log());
            stop();
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

void PulseServer::stop()
{
    if (m_process)
        ChildProcess::stop(m_process.get());
    m_process.reset();
}

void PulseServer::addTo(QProcessEnvironment& environment) const
{
    environment.insert("PULSE_SERVER", QStringLiteral("unix:") + path("native"));
    environment.insert("PULSE_CLIENTCONFIG", path("client.conf"));
}

QByteArray PulseServer::log() const
{
    return TestFolders::readBytes(path("server.log"));
}

int PulseServer::underruns() const
{
    static const QRegularExpression line(QStringLiteral("(Implicit|Actual) underrun of '"));
    return int(QString::fromUtf8(log()).count(line));
}

QStringList PulseServer::requestedBuffers() const
{
    static const QRegularExpression line(QStringLiteral("Requested (tlength=[^\\n]*)"));
    QStringList requests;
    for (const auto& match : line.globalMatch(QString::fromUtf8(log())))
        requests << match.captured(1);
    return requests;
}
