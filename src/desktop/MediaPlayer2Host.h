// What the desktop's media controls reach of the main window, without knowing
// the main window: its player, the rows of its station list, and the few window
// operations MPRIS names. The main window implements this and hands itself to
// MprisService; this library never sees a widget.
#pragma once

#include <QString>
#include <QStringList>

class MediaPlayer;

class MediaPlayer2Host
{
public:
    // The main window's stream player.
    virtual MediaPlayer& WMP() = 0;
    // The stream addresses of the station list's rows, top to bottom.
    virtual QStringList StationKeys() const = 0;
    // The name of the row with this address, "" when there is none.
    virtual QString StationName(const QString& key) const = 0;
    // Selects the row with this address and plays it, as a double click does.
    virtual void PlayStation(const QString& key) = 0;
    // Plays an address as the open-URL dialog does.
    virtual void PlayAddress(const QString& address) = 0;
    // Brings the window to the front, also out of the tray.
    virtual void Raise() = 0;
    // Closes the main window as "Zavřít" does (the settings are written).
    virtual void Quit() = 0;

protected:
    ~MediaPlayer2Host() = default;
};
