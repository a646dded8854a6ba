#include "stream/ConnectProbe.h"

#include <QThreadPool>

#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

StreamError::Kind tryConnect(const QByteArray& host, int port, int timeoutMs)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &list) != 0)
        return StreamError::HostNotFound;

    StreamError::Kind result = StreamError::ConnectionRefused;
    for (addrinfo* ai = list; ai; ai = ai->ai_next) {
        const int fd =
            socket(ai->ai_family, ai->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai->ai_protocol);
        if (fd < 0)
            continue;
        int rc = connect(fd, ai->ai_addr, ai->ai_addrlen);
        if (rc != 0 && errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            rc = poll(&p, 1, timeoutMs);
            if (rc == 0) {
                result = StreamError::Timeout;
            } else if (rc > 0) {
                int err = 0;
                socklen_t len = sizeof err;
                getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
                rc = err == 0 ? 0 : -1;
                if (err == ETIMEDOUT || err == EHOSTUNREACH || err == ENETUNREACH)
                    result = StreamError::Timeout;
            }
        }
        close(fd);
        if (rc == 0) {
            result = StreamError::ConnectionLost;
            break;
        }
    }
    freeaddrinfo(list);
    return result;
}

QThreadPool& probeThreads()
{
    // Never destroyed: exit must not wait for a connection attempt to time out.
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(4);
        return p;
    }();
    return *pool;
}

} // namespace

void ConnectProbe::diagnose(const QString& host, int port, int timeoutMs,
                            const std::shared_ptr<OwnerRelay>& relay,
                            std::function<void(StreamError)> done)
{
    probeThreads().start([relay, host, port, timeoutMs, done = std::move(done)] {
        const StreamError::Kind kind = tryConnect(host.toUtf8(), port, timeoutMs);
        relay->post([done, kind, host] { done(StreamError::make(kind, host)); });
    });
}
