#include "SessionManager.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTest>

#include <X11/SM/SMlib.h>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <span>
#include <type_traits>

// libICE's own switch (ksmserver and gnome-session use it too): listen on the
// local socket only, never on TCP.
extern "C" int _IceTransNoListen(const char* protocol);

namespace {
SessionManager* s_active = nullptr; // XSMP is registered once per process
} // namespace

// Every request is answered at once: nobody else is interacting or saving.
struct Xsmp
{
    static auto& clients() { return s_active->m_clients; }
    static void note(const QString& event) { s_active->m_events.append(event); }
    static QString flag(const char* event, Bool on)
    {
        return QLatin1String(event) + QLatin1Char('=') + QString::number(on ? 1 : 0);
    }

    // Only local peers reach the socket (no TCP); accept them without a cookie.
    static Bool acceptLocal(char* /*hostName*/) { return True; }

    // libICE's and libSM's default handlers exit() the process.
    template <typename Conn>
    static void onError(Conn, Bool, int, unsigned long, int errorClass, int, void*)
    {
        note(QStringLiteral("error %1 class=%2")
                 .arg(QLatin1String(std::is_same_v<Conn, IceConn> ? "ice" : "xsmp"))
                 .arg(errorClass));
    }

    // libICE announces each connection it opens or closes: a notifier reads it while open.
    static void watch(IceConn ice, IcePointer, Bool opening, IcePointer* notifier)
    {
        if (!opening) {
            auto* readable = static_cast<QSocketNotifier*>(*notifier);
            readable->setEnabled(false); // its socket is closed
            readable->deleteLater();     // it may be emitting now
            clients().remove(ice);
            return;
        }
        auto* readable = new QSocketNotifier(IceConnectionNumber(ice), QSocketNotifier::Read,
                                             &s_active->m_notifiers);
        QObject::connect(readable, &QSocketNotifier::activated, [ice] {
            // ConnectionClosed: closeConnection() closed it.
            if (IceProcessMessages(ice, nullptr, nullptr) == IceProcessMessagesIOError) {
                drop(ice); // the client went away without closing
                note(QStringLiteral("connection-lost"));
            }
        });
        *notifier = readable;
        clients().insert(ice, {});
    }

    static void drop(IceConn ice)
    {
        if (void* sms = clients().value(ice))
            SmsCleanUp(static_cast<SmsConn>(sms));
        IceSetShutdownNegotiation(ice, False);
        IceCloseConnection(ice); // at once, or once the current dispatch returns
    }

    static Status registerClient(SmsConn sms, SmPointer, char* previousId)
    {
        // A restored client keeps its id; a new one gets a fresh one.
        static int serial = 0;
        QByteArray id = "skytuner-test-" + QByteArray::number(++serial);
        SmsRegisterClientReply(sms, previousId ? previousId : id.data());
        free(previousId);
        clients()[SmsGetIceConnection(sms)] = sms;
        note(QStringLiteral("register"));
        return True;
    }

    static void closeConnection(SmsConn sms, SmPointer, int count, char** reasons)
    {
        SmFreeReasons(count, reasons);
        drop(SmsGetIceConnection(sms));
        note(QStringLiteral("close"));
    }

    static void interactRequest(SmsConn sms, SmPointer, int)
    {
        note(QStringLiteral("interact-request"));
        SmsInteract(sms);
    }

    static void phase2Request(SmsConn sms, SmPointer)
    {
        note(QStringLiteral("save-yourself-phase2-request"));
        SmsSaveYourselfPhase2(sms);
    }

    static void interactDone(SmsConn, void*, Bool cancel)
    {
        note(flag("interact-done cancel", cancel));
    }
    static void saveDone(SmsConn, void*, Bool ok) { note(flag("save-yourself-done success", ok)); }
    static void saveRequest(SmsConn, void*, int, Bool, int, Bool, Bool)
    {
        note(QStringLiteral("save-yourself-request"));
    }
    static void getProperties(SmsConn sms, void*) { SmsReturnProperties(sms, 0, {}); }

    // The properties are kept nowhere: freed as they come.
    static void freeName(char* name) { free(name); }
    template <typename T, void (*Free)(T*)> static void freeAll(SmsConn, void*, int n, T** items)
    {
        std::for_each_n(items, n, Free);
        free(items);
    }

    // libSM calls every callback without looking at the mask: all are set.
    static Status newClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks,
                            char** /*failureReason*/)
    {
        *mask = ~0UL;
        *callbacks = {{registerClient, nullptr},
                      {interactRequest, nullptr},
                      {interactDone, nullptr},
                      {saveRequest, nullptr},
                      {phase2Request, nullptr},
                      {saveDone, nullptr},
                      {closeConnection, nullptr},
                      {freeAll<SmProp, SmFreeProperty>, nullptr},
                      {freeAll<char, freeName>, nullptr},
                      {getProperties, nullptr}};
        return True;
    }
};

SessionManager::~SessionManager()
{
    for (void* ice : m_clients.keys()) // the test is over
        Xsmp::drop(static_cast<IceConn>(ice));
    qDeleteAll(m_notifiers.children()); // before their sockets close
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
    m_iceAuthority = m_dir.filePath(QStringLiteral("ICEauthority"));
    if (!m_dir.isValid() || !QFile(m_iceAuthority).open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("no temporary folder for the ICE authority file");
        return false;
    }
    char error[256] = {};
    static bool registered = false;
    if (!registered) {
        IceSetIOErrorHandler([](IceConn) {}); // the default exit()s
        IceSetErrorHandler(Xsmp::onError<IceConn>);
        SmsSetErrorHandler(Xsmp::onError<SmsConn>);
        IceAddConnectionWatch(Xsmp::watch, nullptr);
        _IceTransNoListen("tcp");
        if (!SmsInitialize("skytuner-tests", "1.0", Xsmp::newClient, nullptr, Xsmp::acceptLocal,
                           sizeof error, error)) {
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
    char* ids = IceComposeNetworkIdList(m_listenCount, listenObjs);
    m_address = QString::fromLocal8Bit(ids);
    free(ids);
    // A client that died leaves a broken socket: writing to it must fail with
    // EPIPE, not end the test process.
    std::signal(SIGPIPE, SIG_IGN);
    for (IceListenObj listenObj : std::span(listenObjs, m_listenCount)) {
        IceSetHostBasedAuthProc(listenObj, Xsmp::acceptLocal);
        auto* listening = new QSocketNotifier(IceGetListenConnectionNumber(listenObj),
                                              QSocketNotifier::Read, &m_notifiers);
        QObject::connect(listening, &QSocketNotifier::activated, [this, listenObj] {
            IceAcceptStatus status; // the connection watch takes it from here
            if (!IceAcceptConnection(listenObj, &status) || status != IceAcceptSuccess)
                m_events << QStringLiteral("error accept status=%1").arg(int(status));
        });
    }
    return true;
}

void SessionManager::saveYourself(int saveType, bool shutdown, int interactStyle, bool fast)
{
    forEachClient([=](void* sms) {
        SmsSaveYourself(static_cast<SmsConn>(sms), saveType, shutdown, interactStyle, fast);
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

void SessionManager::forEachClient(const std::function<void(void* smsConn)>& send)
{
    for (void* sms : std::as_const(m_clients))
        if (sms)
            send(sms);
}

bool SessionManager::waitFor(const QString& event, int n, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return count(event) >= n; }, timeoutMs);
}
