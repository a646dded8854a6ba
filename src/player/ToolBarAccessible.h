// The main window's toolbar buttons as screen readers see them: push buttons
// named by what they do, whose press action runs the command from the event
// loop, so that an assistive tool's call returns before a dialog the command
// opens runs its own loop (Qt's own press would answer only once it closed).
#pragma once

namespace ToolBarAccessible {

// For the buttons of toolbars named "sktToolBar"; installed once.
void install();

} // namespace ToolBarAccessible
