#include "RtspServer.h"

#include "ChildProcess.h"

#include <QTcpSocket>

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
    // The server listens once its main loop runs; the media is built per DESCRIBE.
    const auto listening = [this] {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        return probe.waitForConnected(500);
    };
    if (m_process && ChildProcess::waitUntil(listening, 10000, m_process.get()))
        return true;
    m_error = QStringLiteral("rtsp_tone_server does not listen on port %1").arg(m_port);
    stop();
    return false;
}

void RtspServer::stop()
{
    // Killed at once rather than asked (a frozen one too): a vanished server
    // sends no TEARDOWN or BYE.
    ChildProcess::stop(m_process.get(), 0);
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
