#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace ChildProcess {

std::unique_ptr<QProcess> start(const QString& program, const QStringList& arguments,
                                const char* userName)
{
    uid_t uid = 0;
    gid_t gid = 0;
    if (userName && geteuid() == 0) {
        const passwd* user = getpwnam(userName);
        if (!user)
            return nullptr;
        uid = user->pw_uid;
        gid = user->pw_gid;
    }
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setChildProcessModifier([uid, gid] {
        // Only async-signal-safe calls here; the signal is set after the user change,
        // which would clear it.
        if (uid != 0 && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(127);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    process->start();
    if (!process->waitForStarted(5000))
        return nullptr;
    return process;
}

void killWithTest(QProcess* process)
{
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

bool run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    auto process = start(program, arguments);
    if (!process)
        return false;
    // waitForFinished() is false for a process that has already ended: ask the state.
    process->waitForFinished(timeoutMs);
    if (process->state() != QProcess::NotRunning) {
        stop(process.get());
        return false;
    }
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

void stop(QProcess* process, int timeoutMs)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    if (timeoutMs > 0) {
        process->terminate();
        if (process->waitForFinished(timeoutMs))
            return;
    }
    process->kill();
    process->waitForFinished(5000);
}

bool waitUntil(const std::function<bool()>& ready, int timeoutMs, const QProcess* process)
{
    // The events run meanwhile: they tell QProcess that its process ended.
    const auto ended = [process] {
        return process && process->state() == QProcess::NotRunning;
    };
    return QTest::qWaitFor([&] { return ended() || ready(); }, timeoutMs) && !ended();
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
    // HTTP/1.0: the answer ends when the server closes.
    while (socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())))) {
    }
    const QByteArray response = socket.readAll();
    const qsizetype end = response.indexOf("\r\n\r\n");
    if (body)
        *body = end < 0 ? QByteArray() : response.mid(end + 4);
    const QList<QByteArray> status = response.left(response.indexOf("\r\n")).split(' ');
    return status.size() > 1 ? status.at(1).toInt() : 0;
}

} // namespace ChildProcess
