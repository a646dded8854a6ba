// What the main window shows for each player state, the icon animation sequence
// and the volume step: plain rules, kept apart from the widgets that apply them.
#pragma once

#include <QString>

namespace PlaybackRules {

inline constexpr int AnimFrameCount = 16; // frames of the window icon animation
inline constexpr int AnimIntervalMs = 80; // one frame every 80 ms
inline constexpr int VolumeStepSize = 5;  // Ctrl+Right / Ctrl+Left, one wheel notch
inline constexpr int WheelNotch = 120;    // a wheel's angle delta per notch

// Row icons (imglStations) and "icon" panel pictures (imglStatusIcon), from 1.
enum RowIcon
{
    RowIdle = 1,
    RowPlaying = 3,
    RowBusy = 4
};
enum PanelIcon
{
    PanelIdle = 1,
    PanelBusy = 2,
    PanelPlaying = 3
};

struct StateInfo
{
    QString text;  // the station row's "Status" text
    int rowIcon;   // the row's small icon
    int panelIcon; // the "icon" panel's picture
    bool animate;  // whether the icon animation runs (when switched on)
};

// The row of the state table for a player state number.
StateInfo StateInfoFor(int playState);

// The animation frame after `frame` (1..frameCount, wrapping to 1; 0 before the first).
int NextAnimFrame(int frame, int frameCount = AnimFrameCount);

// The volume after one step of `delta`, kept within 0..100.
int SteppedVolume(int volume, int delta);

} // namespace PlaybackRules
