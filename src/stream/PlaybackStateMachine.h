// The player's logic without any media engine: events in (open, buffering,
// audio started, failure, ...), the play state, the Czech status text and the
// commands for the engine out. Reconnecting with back-off and walking through
// playlist entries live here, so they are tested without a pipeline.
#pragma once

#include "stream/PlayState.h"
#include "stream/PlaylistParser.h"
#include "stream/StreamAddress.h"
#include "stream/StreamError.h"

#include <QString>
#include <QStringList>

#include <functional>

class PlaybackStateMachine
{
public:
    using State = PlayState::Number;

    // What the owner must do after an event, in this order.
    struct Commands
    {
        bool close = false;      // stop the engine, the playlist reader and the retry timer
        QString fetch;           // read this playlist
        QString open;            // play this URI
        bool openDirect = false; // ...even when the server calls it a playlist (HLS)
        int retryInMs = -1;      // call retryDue() after this long
    };

    static constexpr int MaxReconnects = 5;
    static constexpr int StableMs = 30000; // playing this long forgets earlier reconnects
    static constexpr int MaxPlaylistDepth = 3;
    // Failed playlist entries tried per address: every try costs a connection,
    // and a list of thousands of dead entries would tie the player up for long.
    static constexpr int MaxPlaylistTries = 20;
    static constexpr int MaxTitleLength = 200;
    static int backoffMs(int attempt); // 1-based attempt; 30 s in all for five

    // Writing the address: the old stream stops, the new one starts.
    Commands open(const QString& address);
    // Play again: restarts the last address unless it is already starting or playing.
    Commands play();
    Commands stop();

    Commands playlistRead(const PlaylistParser::Result& result);
    Commands playlistDetected();
    Commands buffering(int percent);
    Commands audioStarted();
    Commands titleChanged(const QString& title);
    Commands stationNameChanged(const QString& name);
    Commands ended();
    Commands failed(StreamError error);
    Commands retryDue();

    State state() const { return m_state; }
    QString status() const { return m_status; }
    QString address() const { return m_address; }
    QString title() const { return m_title; }             // the stream's now-playing title
    QString stationName() const { return m_stationName; } // the name the stream gives itself
    int attempt() const { return m_attempt; }
    bool active() const;

    // Milliseconds of a monotonic clock; tests replace it.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

private:
    Commands openEntry();
    Commands fail(const StreamError& error);
    Commands tryNextEntry(const StreamError& error);
    void set(State state, const QString& status);
    QString playingText() const;
    StreamAddress currentEntry() const;

    State m_state = PlayState::Undefined;
    QString m_status;
    QString m_address;     // as written
    QStringList m_entries; // what to try, in order (playlist entries replace their list)
    int m_index = 0;
    int m_depth = 0;              // playlists read for this address
    int m_listed = 0;             // entries those playlists held
    int m_tried = 0;              // ...and how many of them failed
    bool m_remoteEntries = false; // entries came from a network playlist: no local files
    bool m_fetching = false;
    bool m_everPlayed = false;
    int m_attempt = 0;
    qint64 m_playingSince = 0;
    QString m_title;
    QString m_stationName;
    std::function<qint64()> m_clock;
};
