// Finds out why a network stream could not be opened when the engine only says
// "failed": resolves the host and tries a TCP connection on a pool thread, then
// reports on the owner's thread. Never blocks the caller.
#pragma once

#include "stream/OwnerRelay.h"
#include "stream/StreamError.h"

#include <QString>

#include <functional>
#include <memory>

namespace ConnectProbe {

// The result is HostNotFound, ConnectionRefused, Timeout, or ConnectionLost when
// the server does accept connections (it failed later, e.g. by closing at once).
void diagnose(const QString& host, int port, int timeoutMs,
              const std::shared_ptr<OwnerRelay>& relay, std::function<void(StreamError)> done);

} // namespace ConnectProbe
