// The keys the main window acts on, by Windows virtual key code and exact shift
// mask (1 Shift, 2 Ctrl, 4 Alt): Ctrl+Shift+Right is not Ctrl+Right.
//
// Every keystroke acts exactly once: at the key press, wherever the focus is in
// the window. The release never acts, so a keystroke in the station list does not
// act a second time; a held key acts again with each auto-repeated press.
#pragma once

#include <QEvent>

namespace KeyTable {

enum class Command
{
    None,
    VolumeUp,        // Ctrl+Right
    VolumeDown,      // Ctrl+Left
    Stop,            // Ctrl+T
    Play,            // Ctrl+P
    Minimise,        // Shift+Escape
    OpenUrl,         // Ctrl+O   (product menu shortcuts)
    OpenStationList, // F12
    EditStationList, // Ctrl+E
    Settings,        // Ctrl+S
    Exit,            // Ctrl+X
    ProductMenu      // the context-menu key
};

// The window-wide command of a key, or None.
Command WindowCommand(int keyCode, int shift);

// Keys that act only while the station list has the focus.
enum class ListCommand
{
    None,
    PlaySelected, // Enter (also with Shift)
    Copy          // Ctrl+C
};
ListCommand StationListCommand(int keyCode, int shift);

// Whether a key event of this type is the one moment a keystroke acts.
inline bool KeystrokeActs(QEvent::Type type)
{
    return type == QEvent::KeyPress;
}

} // namespace KeyTable
