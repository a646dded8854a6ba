#include "RtspServer.h"

#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>

RtspServer::~RtspServer()
{
    stop();
}

bool RtspServer::start()
{
    stop();
    if (m_port == 0)
        m_port = ChildProcess::freePort();
    m_process =
        ChildProcess::start(QStringLiteral(SKYTUNER_RTSP_TONE_SERVER), {QString::number(m_port)});
    if (!m_process) {
        m_error = QStringLiteral("rtsp_tone_server does not start");
        return false;
    }
    // The server listens once its main loop runs; the media is built per DESCRIBE.
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_process->state() == QProcess::Running) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(500))
            return true;
        QThread::msleep(50);
    }
    m_error = QStringLiteral("rtsp_tone_server does not listen on port %1").arg(m_port);
    stop();
    return false;
}

void RtspServer::stop()
{
    if (!m_process)
        return;
    // Killed rather than asked (a frozen one too): a vanished server sends no
    // TEARDOWN or BYE.
    m_process->kill();
    m_process->waitForFinished(5000);
    m_process.reset();
}

void RtspServer::freeze(bool frozen)
{
    if (running())
        ::kill(pid_t(m_process->processId()), frozen ? SIGSTOP : SIGCONT);
}

bool RtspServer::running() const
{
    return m_process && m_process->state() == QProcess::Running;
}

QString RtspServer::url(const char* path) const
{
    return QStringLiteral("rtsp://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(path));
}
