// Bounded waits on a MediaPlayer's play state for tests.
#pragma once

#include <functional>

class MediaPlayer;

namespace PlayerWait {

// Spins the event loop until the player reaches state; on a time-out it logs
// the state and status it is stuck in.
bool forState(MediaPlayer& player, int state, int timeoutMs = 15000);

// True when call returns without waiting on the network: that would take the
// connect time-out (~10 s); the bound of 1 s leaves room for a busy machine.
bool returnsAtOnce(const std::function<void()>& call);

} // namespace PlayerWait
