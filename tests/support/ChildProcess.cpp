#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <csignal>
#include <sys/prctl.h>

namespace ChildProcess {

std::unique_ptr<QProcess> start(const QString& program, const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process->start();
    if (!process->waitForStarted(5000))
        return nullptr;
    return process;
}

void stop(QProcess* process, int timeoutMs)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(timeoutMs)) {
        process->kill();
        process->waitForFinished(2000);
    }
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

int httpGet(quint16 port, const QByteArray& pathAndQuery, QByteArray* body,
            const QByteArray& authorization, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return 0;
    QByteArray request = "GET " + pathAndQuery + " HTTP/1.0\r\nHost: 127.0.0.1\r\n";
    if (!authorization.isEmpty())
        request += "Authorization: Basic " + authorization.toBase64() + "\r\n";
    socket.write(request + "\r\n");
    QByteArray response;
    while (!deadline.hasExpired() && socket.state() == QAbstractSocket::ConnectedState) {
        if (socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            response += socket.readAll();
    }
    response += socket.readAll();
    const qsizetype end = response.indexOf("\r\n\r\n");
    if (body)
        *body = end < 0 ? QByteArray() : response.mid(end + 4);
    const QList<QByteArray> status = response.left(response.indexOf("\r\n")).split(' ');
    return status.size() > 1 ? status.at(1).toInt() : 0;
}

} // namespace ChildProcess
