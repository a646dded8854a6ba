// The status bar's "volume" panel as screen readers see it: a push button named
// by its text ("Hlasitost: -10.00 dB") whose press action opens the volume
// pop-up as a click on the panel does, from the event loop, so that an
// assistive tool's call returns before the pop-up takes the focus.
#pragma once

namespace StatusBarAccessible {

// For the "volume" panel of a PlayerStatusBar; installed once.
void install();

} // namespace StatusBarAccessible
