// Helpers for the server processes tests start: a QProcess that dies with the
// test (even when the test crashes), stopped by PID with a bounded wait, and a
// small blocking HTTP GET on loopback for readiness checks.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace ChildProcess {

// Starts program with arguments; the child gets SIGKILL when the test process dies.
// With userName, a root test runs the child as that user from the start (a
// program that drops root itself would lose the kill-on-death signal).
std::unique_ptr<QProcess> start(const QString& program, const QStringList& arguments,
                                const char* userName = nullptr);

// Makes a process not yet started get SIGKILL when the test process dies, for
// callers that set its environment and output themselves before starting it.
void killWithTest(QProcess* process);

// Runs program to its end (bounded); true when it exited normally with code 0.
bool run(const QString& program, const QStringList& arguments, int timeoutMs = 20000);

// SIGTERM, then SIGKILL after timeoutMs (0: SIGKILL at once); waits for the process to be gone.
void stop(QProcess* process, int timeoutMs = 5000);

// Runs the events until `ready` is true (bounded); false at the time-out, or when
// `process` ended first.
bool waitUntil(const std::function<bool()>& ready, int timeoutMs,
               const QProcess* process = nullptr);

// A free TCP port on 127.0.0.1 (nothing listens on it when this returns).
quint16 freePort();

// GET http://127.0.0.1:port/path; the status code (0 when unreachable) and the body.
int httpGet(quint16 port, const QByteArray& pathAndQuery, QByteArray* body = nullptr,
            const QByteArray& authorization = {}, int timeoutMs = 2000);

} // namespace ChildProcess
