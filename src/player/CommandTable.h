// Every command of the main window and what reaches it: toolbar buttons by key,
// items of the product and tray menus by name, and keys by Windows virtual key
// code and exact shift mask (1 Shift, 2 Ctrl, 4 Alt: Ctrl+Shift+Right is not
// Ctrl+Right). frmPlayer::RunCommand is the one place that acts on a command.
//
// Every keystroke acts exactly once: at the key press, wherever the focus is in
// the window. The release never acts, so a keystroke in the station list does not
// act a second time; a held key acts again with each auto-repeated press.
#pragma once

#include <QEvent>
#include <QString>

namespace CommandTable {

enum class Command
{
    None,
    Exit,            // close the main window
    TrayExit,        // restore from the tray, then close
    TrayRestore,     // restore from the tray
    Settings,        // the settings dialog, then ApplySettings
    OpenStationList, // the station list chooser
    EditStationList, // the station list editor
    OpenUrl,         // the open-URL dialog
    About,           // the about dialog
    Favourites,      // load the favourite station list
    SoundOff,
    SoundOn,
    ToggleSound, // off when sounding, else on
    Stop,        // the player's controls.stop
    Play,        // PlaySelectedStation
    Resume,      // the player's controls.play: the last opened address again
    PlayPause,   // stop while playing, else play (as the desktop's media controls)
    NextStation, // play the next station of the list (wrapping around)
    PreviousStation,
    VolumeUp,
    VolumeDown,
    VolumePopup, // the volume and balance pop-up, as a click on the "volume" panel
    Minimise,
    ToggleOnTop,
    ProductMenu,
    CopyAddress // the selected or current address to the clipboard
};

// The command of a toolbar button (by key, in any case) or a menu item (by
// name); None for anything else.
Command ForName(const QString& name);

// The command of a key pressed in the window; inStationList adds the keys that
// act only while the station list has the focus (Enter, Ctrl+C).
Command ForKey(int keyCode, int shift, bool inStationList);

// Whether a key event of this type is the one moment a keystroke acts.
inline bool KeystrokeActs(QEvent::Type type)
{
    return type == QEvent::KeyPress;
}

} // namespace CommandTable
