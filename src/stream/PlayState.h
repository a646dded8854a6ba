// The play-state numbers the stream player reports and the main window's state
// table shows: the numbering the program has always used, so 2 and 7 keep their
// meaning although a live stream is never paused or waiting.
#pragma once

namespace PlayState {

enum Number : int
{
    Undefined = 0, // nothing opened yet
    Stopped = 1,
    Paused = 2,
    Playing = 3,
    Buffering = 6, // the status carries the percentage
    Waiting = 7,
    MediaEnded = 8,    // a finite file ran out
    Transitioning = 9, // resolving and connecting
    Ready = 10,        // after a failed open or a lost stream
    Reconnecting = 11
};

} // namespace PlayState
