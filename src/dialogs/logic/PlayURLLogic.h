// What the open-URL dialog does with the address typed in: a non-empty text
// becomes the current station address, unchanged (no trimming, no check; an
// address that cannot be played is reported by the player's own events), and
// the player plays it. An empty text leaves the playing station alone.
#pragma once

#include <QString>

class MediaPlayer;

class PlayURLLogic
{
public:
    // currentURL is the main window's current station address (modGlobal::CurrentURL).
    PlayURLLogic(MediaPlayer& player, QString& currentURL)
        : m_player(player), m_currentURL(currentURL)
    {}

    // The dialog's OK: true when the text was handed to the player.
    bool accept(const QString& text);

private:
    MediaPlayer& m_player;
    QString& m_currentURL;
};
