// What the desktop's media controls (MPRIS 2) are told about the player, as
// plain values: the playback status of a play state, the volume, the metadata
// of the stream, and the station Next and Previous move to. No bus here: the
// service turns these into D-Bus values.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace MprisRules {

// What the player and the main window's station list show at one moment.
struct Snapshot
{
    int playState = 0;   // a PlayState number
    QString url;         // the address the player plays, "" before the first
    QString title;       // the stream's now-playing title
    QString streamName;  // the name the stream gives itself
    QString stationName; // the name of the list's row for url, "" when none
    int volume = 50;     // the player's 0..100
    int stations = 0;    // rows of the current station list
};

inline constexpr char NoTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

// Connecting, buffering and reconnecting count as playing: the player is on
// its way to sound, and the desktop's button should stop it.
bool playing(int playState);

// "Playing" (as above), "Paused" (state 2, never for a live stream), else "Stopped".
QString playbackStatus(int playState);

// The player's 0..100 and MPRIS's 0.0..1.0; a value off either end (or not a
// number) is the nearest end.
double volume(int playerVolume);
int playerVolume(double volume);

// An object path that names the stream address (the same address, the same id);
// NoTrack for none.
QString trackId(const QString& url);

// mpris:trackid (object path text), xesam:url, xesam:title and xesam:artist (a
// list). The title is the now-playing title while the stream plays and sends
// one, with the station's name as the artist; otherwise the title is the
// station's name (the list's row, else the stream's own name, else the address)
// and there is no artist. Only the track id while nothing was played.
QVariantMap metadata(const Snapshot& snapshot);

// The properties of org.mpris.MediaPlayer2.Player that change, by name; the
// metadata as above.
QVariantMap playerProperties(const Snapshot& snapshot);

// The station `step` rows away from current in keys, wrapping around at the
// ends; from an address that has no row, +1 gives the first station and -1 the
// last. "" for an empty list.
QString neighbour(const QStringList& keys, const QString& current, int step);

} // namespace MprisRules
