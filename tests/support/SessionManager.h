// A small X session manager (XSMP over ICE, libSM's server side) for the tests
// that end a desktop session: it listens on a local ICE socket only (no TCP),
// accepts every local client without a cookie, registers it, and on request
// sends what a real logout sends (SaveYourself, then Die). ICE runs on the test's
// event loop: the manager answers while waitFor() (or any QTRY_ wait) runs. A
// client blocks only while it registers and interacts, both of which the test
// waits for. One manager per test process at a time.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class SessionManager
{
public:
    // XSMP values (SmSaveBoth, SmInteractStyleNone, ...), so callers need not
    // include the X headers.
    static constexpr int SaveBoth = 2, InteractNone = 0, InteractAny = 2;

    SessionManager() = default;
    ~SessionManager(); // closes every connection
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
    void saveYourself(int saveType, bool shutdown, int interactStyle, bool fast);
    // Sends Die to every registered client (the session is over).
    void die();
    // Sends ShutdownCancelled to every registered client (another program
    // vetoed the logout; the session goes on).
    void cancelShutdown();

    // What happened, one line per event, in order: "register", "interact-request",
    // "interact-done cancel=0|1", "save-yourself-done success=0|1", "close",
    // "connection-lost", "save-yourself-request", "error ...".
    QStringList events() const { return m_events; }
    int count(const QString& event) const { return int(m_events.count(event)); }

    // Runs the event loop (bounded) until count(event) >= n; true when it came.
    bool waitFor(const QString& event, int n = 1, int timeoutMs = 15000) const;

private:
    friend struct Xsmp; // the ICE and XSMP callbacks
    void forEachClient(const std::function<void(void* smsConn)>& send); // registered ones

    QString m_error, m_address, m_iceAuthority;
    QTemporaryDir m_dir;
    int m_listenCount = 0;
    void** m_listenObjs = nullptr; // IceListenObj*
    QObject m_notifiers;           // parent of the notifiers watching ICE's sockets
    QStringList m_events;
    // Each open ICE connection: its XSMP connection once the client registered.
    QHash<void*, void*> m_clients;
};
