// A small X session manager (XSMP over ICE, libSM's server side) for the tests
// that end a desktop session: it listens on a local ICE socket only (no TCP),
// accepts every local client without a cookie, registers it, and on request
// sends what a real logout sends (SaveYourself, then Die). Everything ICE does
// runs on a thread of its own, so a test may block on a child process while the
// manager keeps answering. One manager per test process at a time.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

class SessionManager
{
public:
    // XSMP values, so callers need not include the X headers.
    enum SaveType
    {
        SaveGlobal = 0,
        SaveLocal = 1,
        SaveBoth = 2
    };
    enum InteractStyle
    {
        InteractNone = 0,
        InteractErrors = 1,
        InteractAny = 2
    };

    SessionManager();
    ~SessionManager(); // closes every connection and stops the thread
    SessionManager(const SessionManager&) = delete;
    SessionManager& operator=(const SessionManager&) = delete;

    // Starts listening; false (with errorString()) when ICE or XSMP refused.
    bool start();
    QString errorString() const { return m_error; }

    // The value of SESSION_MANAGER for a client, and an ICE authority file that
    // holds no cookie (clients then rely on the manager accepting local peers).
    QString address() const { return m_address; }
    QString iceAuthorityFile() const { return m_iceAuthority; }

    // Sends SaveYourself to every registered client.
    void saveYourself(SaveType type, bool shutdown, InteractStyle style, bool fast);
    // Sends Die to every registered client (the session is over).
    void die();
    // Sends ShutdownCancelled to every registered client (another program
    // vetoed the logout; the session goes on).
    void cancelShutdown();

    // What happened, one line per event, in order: "register", "interact-request",
    // "interact-done cancel=0|1", "save-yourself-done success=0|1", "close",
    // "connection-lost", "save-yourself-request", "error ...".
    QStringList events() const;
    int count(const QString& event) const { return int(events().count(event)); }

    // Waits (bounded) until count(event) >= n; true when it came.
    bool waitFor(const QString& event, int n = 1, int timeoutMs = 15000) const;

private:
    friend struct Xsmp; // the ICE and XSMP callbacks, on the manager's thread
    bool listen();
    void record(const QString& event);
    // Runs `command` on the manager's thread, waiting for it when `wait`.
    void post(std::function<void()> command, bool wait = false);
    void forEachClient(std::function<void(void* smsConn)> send); // registered ones

    QString m_error, m_address, m_iceAuthority;
    QTemporaryDir m_dir;
    int m_listenCount = 0;
    void** m_listenObjs = nullptr; // IceListenObj*
    // ICE runs on this thread's event loop, its sockets watched by notifiers
    // that are children of m_context.
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<QObject> m_context;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    QStringList m_events;
    // Each open ICE connection: its XSMP connection (once set up) and whether it
    // registered. The manager's thread only.
    QHash<void*, std::pair<void*, bool>> m_clients;
};
