// Bounded waits on a MediaPlayer's play state for tests.
#pragma once

class MediaPlayer;

namespace PlayerWait {

// Spins the event loop until the player reaches state; on a time-out it logs
// the state and status it is stuck in.
bool forState(MediaPlayer& player, int state, int timeoutMs = 15000);

} // namespace PlayerWait
