// What the dialogs act on in the main window, without knowing the main window:
// the main window implements this and registers itself at start-up, the dialogs
// ask DialogHost::current(). Dialogs never include src/player (the layers forbid
// it); a dialog needing more of the main window adds a hook here.
#pragma once

#include <QRect>
#include <QString>

#include <memory>

class MediaPlayer;
class QWidget;

class DialogHost
{
public:
    // The registered main window, or null (before start-up, after shut-down,
    // and in tests of a dialog alone).
    static DialogHost* current();
    static void setCurrent(DialogHost* host);

    // The window the dialogs belong to: they live and die with it.
    virtual QWidget* dialogParent() = 0;
    // The main window's stream player (the one CurrentURL plays on).
    virtual MediaPlayer& WMP() = 0;
    // Makes the file the current station list (CurrentListFile), loads it and
    // fills the main window's list with it.
    virtual void LoadStationList(const QString& path) = 0;
    // A stream player of its own with a real media engine, for the editor's
    // preview (dialogs do not see the media layer); null when there is none.
    virtual std::unique_ptr<MediaPlayer> createPreviewPlayer() = 0;
    // Applies the settings flags to the main window (after the settings dialog).
    virtual void ApplySettings() = 0;

    // Where the status bar's "volume" panel stands, in pixels: the window's
    // outer frame on the screen, the distance from its lower edge to the status
    // bar's top and the panel's left within the status bar (the volume pop-up
    // opens above it).
    struct VolumePanel
    {
        QRect windowFrame;
        int statusBarHeight = 0;
        int panelLeft = 0;
    };
    virtual VolumePanel volumePanel() = 0;
    // Shows the player's volume on the "volume" panel ("-10.00 dB").
    virtual void ShowVolume() = 0;

protected:
    ~DialogHost() = default;
};
