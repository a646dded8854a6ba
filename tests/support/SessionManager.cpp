#include "SessionManager.h"

#include <QFile>
#include <QSocketNotifier>

#include <X11/SM/SMlib.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <pthread.h>

// libICE's own switch (ksmserver and gnome-session use it too): listen on the
// local socket only, never on TCP.
extern "C" int _IceTransNoListen(const char* protocol);

struct SessionManager::Client
{
    IceConn ice = nullptr;
    SmsConn sms = nullptr;
    bool registered = false;
    std::unique_ptr<QSocketNotifier> readable;
};

namespace {

SessionManager* s_active = nullptr; // XSMP is registered once per process

// Only local peers reach the socket (no TCP); accept them without a cookie.
Bool acceptLocal(char* /*hostName*/)
{
    return True;
}

SessionManager* managerOf(SmPointer data)
{
    return static_cast<SessionManager*>(data);
}

void record(SmPointer data, const QString& event)
{
    managerOf(data)->record(event);
}

void drop(SessionManager::Client& client)
{
    if (client.sms)
        SmsCleanUp(client.sms);
    IceSetShutdownNegotiation(client.ice, False);
    IceCloseConnection(client.ice);
}

Status registerClient(SmsConn sms, SmPointer data, char* previousId)
{
    // A restored client keeps its id; a new one gets a fresh one.
    char* id = previousId ? previousId : SmsGenerateClientID(sms);
    static int serial = 0;
    const QByteArray fallback = "1skytuner-test-" + QByteArray::number(++serial);
    SmsRegisterClientReply(sms, id ? id : const_cast<char*>(fallback.constData()));
    free(id);
    if (SessionManager::Client* client = managerOf(data)->clientOf(sms))
        client->registered = true;
    record(data, QStringLiteral("register"));
    return True;
}

void closeConnection(SmsConn sms, SmPointer data, int count, char** reasons)
{
    IceConn ice = SmsGetIceConnection(sms);
    SmFreeReasons(count, reasons);
    SmsCleanUp(sms);
    if (SessionManager::Client* client = managerOf(data)->clientOf(sms))
        client->sms = nullptr;
    // Closed once the current dispatch returns (IceClosedASAP).
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    record(data, QStringLiteral("close"));
}

// Every callback answers at once: nobody else is interacting or saving.
Status newClient(SmsConn sms, SmPointer, unsigned long* mask, SmsCallbacks* callbacks,
                 char** /*failureReason*/)
{
    SessionManager* m = s_active;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client = {registerClient, m};
    callbacks->close_connection = {closeConnection, m};
    callbacks->interact_request = {[](SmsConn sms, SmPointer data, int) {
                                       record(data, QStringLiteral("interact-request"));
                                       SmsInteract(sms);
                                   },
                                   m};
    callbacks->interact_done = {
        [](SmsConn, SmPointer data, Bool cancel) {
            record(data, QStringLiteral("interact-done cancel=%1").arg(cancel ? 1 : 0));
        },
        m};
    callbacks->save_yourself_request = {[](SmsConn, SmPointer data, int, Bool, int, Bool, Bool) {
                                            record(data, QStringLiteral("save-yourself-request"));
                                        },
                                        m};
    callbacks->save_yourself_phase2_request = {
        [](SmsConn sms, SmPointer data) {
            record(data, QStringLiteral("save-yourself-phase2-request"));
            SmsSaveYourselfPhase2(sms);
        },
        m};
    callbacks->save_yourself_done = {
        [](SmsConn, SmPointer data, Bool success) {
            record(data, QStringLiteral("save-yourself-done success=%1").arg(success ? 1 : 0));
        },
        m};
    callbacks->set_properties = {[](SmsConn, SmPointer, int count, SmProp** properties) {
                                     for (int i = 0; i < count; ++i)
                                         SmFreeProperty(properties[i]);
                                     free(properties);
                                 },
                                 m};
    callbacks->delete_properties = {[](SmsConn, SmPointer, int count, char** names) {
                                        for (int i = 0; i < count; ++i)
                                            free(names[i]);
                                        free(names);
                                    },
                                    m};
    callbacks->get_properties = {[](SmsConn sms, SmPointer) { SmsReturnProperties(sms, 0, {}); },
                                 m};
    // Bind the XSMP connection to the ICE connection it came on.
    if (SessionManager::Client* client = m->clientOf(SmsGetIceConnection(sms), true))
        client->sms = sms;
    return True;
}

} // namespace

SessionManager::SessionManager() = default;

SessionManager::~SessionManager()
{
    if (m_thread) {
        post(
            [this] {
                for (const auto& client : m_clients) // the test is over
                    drop(*client);
                m_clients.clear();
                qDeleteAll(m_context->children());
            },
            true);
        m_thread->quit();
        m_thread->wait();
    }
    if (m_listenObjs)
        IceFreeListenObjs(m_listenCount, reinterpret_cast<IceListenObj*>(m_listenObjs));
    if (s_active == this)
        s_active = nullptr;
}

bool SessionManager::start()
{
    if (s_active) {
        m_error = QStringLiteral("another session manager runs in this process");
        return false;
    }
    s_active = this;
    if (!listen()) {
        s_active = nullptr;
        return false;
    }
    m_context = std::make_unique<QObject>();
    m_thread = std::make_unique<QThread>();
    m_context->moveToThread(m_thread.get());
    m_thread->start();
    post([this] {
        // A client that died leaves a broken socket: writing to it must fail
        // with EPIPE here, not end the test process.
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        for (int i = 0; i < m_listenCount; ++i) {
            const int fd =
                IceGetListenConnectionNumber(reinterpret_cast<IceListenObj*>(m_listenObjs)[i]);
            auto* listening = new QSocketNotifier(fd, QSocketNotifier::Read, m_context.get());
            QObject::connect(listening, &QSocketNotifier::activated, [this, i] { acceptOn(i); });
        }
    });
    return true;
}

bool SessionManager::listen()
{
    m_iceAuthority = m_dir.filePath(QStringLiteral("ICEauthority"));
    QFile authority(m_iceAuthority);
    if (!m_dir.isValid() || !authority.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("no temporary folder for the ICE authority file");
        return false;
    }
    authority.close();

    char error[256] = {};
    static bool registered = false;
    if (!registered) {
        // libICE's defaults exit() the process on a broken connection.
        IceSetIOErrorHandler([](IceConn) {});
        IceSetErrorHandler([](IceConn, Bool, int, unsigned long, int errorClass, int, IcePointer) {
            if (s_active)
                s_active->record(QStringLiteral("error ice class=%1").arg(errorClass));
        });
        SmsSetErrorHandler([](SmsConn, Bool, int, unsigned long, int errorClass, int, SmPointer) {
            if (s_active)
                s_active->record(QStringLiteral("error xsmp class=%1").arg(errorClass));
        });
        _IceTransNoListen("tcp");
        if (!SmsInitialize("skytuner-tests", "1.0", newClient, nullptr, acceptLocal, sizeof error,
                           error)) {
            m_error = QStringLiteral("SmsInitialize: %1").arg(QString::fromLocal8Bit(error));
            return false;
        }
        registered = true;
    }
    IceListenObj* listenObjs = nullptr;
    if (!IceListenForConnections(&m_listenCount, &listenObjs, sizeof error, error) ||
        m_listenCount == 0) {
        m_error = QStringLiteral("IceListenForConnections: %1").arg(QString::fromLocal8Bit(error));
        return false;
    }
    m_listenObjs = reinterpret_cast<void**>(listenObjs);
    for (int i = 0; i < m_listenCount; ++i)
        IceSetHostBasedAuthProc(listenObjs[i], acceptLocal);
    char* ids = IceComposeNetworkIdList(m_listenCount, listenObjs);
    m_address = QString::fromLocal8Bit(ids);
    free(ids);
    if (m_address.contains(QLatin1String("tcp/"))) {
        m_error = QStringLiteral("listens on TCP: %1").arg(m_address);
        return false;
    }
    return true;
}

void SessionManager::post(std::function<void()> command, bool wait)
{
    QMetaObject::invokeMethod(m_context.get(), std::move(command),
                              wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
}

void SessionManager::saveYourself(SaveType type, bool shutdown, InteractStyle style, bool fast)
{
    forEachClient([=](void* sms) {
        SmsSaveYourself(static_cast<SmsConn>(sms), type, shutdown, style, fast);
    });
}

void SessionManager::die()
{
    forEachClient([](void* sms) { SmsDie(static_cast<SmsConn>(sms)); });
}

void SessionManager::cancelShutdown()
{
    forEachClient([](void* sms) { SmsShutdownCancelled(static_cast<SmsConn>(sms)); });
}

void SessionManager::forEachClient(std::function<void(void* smsConn)> send)
{
    post([this, send] {
        for (const auto& client : m_clients)
            if (client->sms && client->registered)
                send(client->sms);
    });
}

void SessionManager::record(const QString& event)
{
    {
        std::lock_guard lock(m_mutex);
        m_events.append(event);
    }
    m_changed.notify_all();
}

QStringList SessionManager::events() const
{
    std::lock_guard lock(m_mutex);
    return m_events;
}

int SessionManager::count(const QString& event) const
{
    std::lock_guard lock(m_mutex);
    return int(m_events.count(event));
}

bool SessionManager::waitFor(const QString& event, int n, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_events.count(event) >= n; });
}

SessionManager::Client* SessionManager::clientOf(void* conn, bool ice)
{
    for (const auto& c : m_clients)
        if ((ice ? static_cast<void*>(c->ice) : c->sms) == conn)
            return c.get();
    return nullptr;
}

void SessionManager::acceptOn(int listenIndex)
{
    IceAcceptStatus status;
    IceConn ice =
        IceAcceptConnection(reinterpret_cast<IceListenObj*>(m_listenObjs)[listenIndex], &status);
    if (!ice || status != IceAcceptSuccess) {
        record(QStringLiteral("error accept status=%1").arg(int(status)));
        return;
    }
    auto client = std::make_unique<Client>();
    client->ice = ice;
    client->readable =
        std::make_unique<QSocketNotifier>(IceConnectionNumber(ice), QSocketNotifier::Read);
    QObject::connect(client->readable.get(), &QSocketNotifier::activated,
                     [this, c = client.get()] { processConnection(c); });
    m_clients.push_back(std::move(client));
}

void SessionManager::processConnection(Client* client)
{
    IceConn ice = client->ice;
    const IceProcessMessagesStatus status = IceProcessMessages(ice, nullptr, nullptr);
    // ConnectionClosed: closeConnection() closed it and the connection is gone.
    if (status == IceProcessMessagesSuccess) {
        const IceConnectStatus state = IceConnectionStatus(ice);
        if (state == IceConnectPending || state == IceConnectAccepted)
            return;
    }
    if (status != IceProcessMessagesConnectionClosed) {
        // The client went away without closing (or its set-up failed).
        drop(*client);
        record(QStringLiteral("connection-lost"));
    }
    client->readable->setEnabled(false);
    client->readable.release()->deleteLater(); // it is emitting now
    m_clients.erase(std::find_if(m_clients.begin(), m_clients.end(),
                                 [&](const auto& c) { return c.get() == client; }));
}
