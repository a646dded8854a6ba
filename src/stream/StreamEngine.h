// What the stream player needs from a media engine: open one stream at a time,
// read a playlist, set the output gains, and report what happens as signals on
// the owner's thread. Every call returns at once; the network work runs on the
// engine's own threads. GstStreamEngine is the real one; tests drive the player
// with a fake.
#pragma once

#include "stream/PlaylistParser.h"
#include "stream/StreamError.h"

#include <QObject>
#include <QString>

class StreamEngine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts the URI; a stream that was open is closed first. With
    // detectPlaylist, a server answering with a playlist content type makes the
    // engine report playlistDetected() instead of trying to play it.
    virtual void open(const QString& uri, bool detectPlaylist) = 0;
    virtual void close() = 0;

    // Linear amplitude per channel (0 = silent, 1 = untouched); applies at once.
    virtual void setGains(double left, double right) = 0;

    // Reads a playlist (http, https or file); a fetch in progress is cancelled.
    virtual void fetchPlaylist(const QString& uri) = 0;
    virtual void cancelFetch() = 0;

    // The engine's version text, e.g. "GStreamer 1.22.0".
    virtual QString versionInfo() const = 0;

Q_SIGNALS:
    void buffering(int percent);
    void audioStarted(); // audio is being played out
    void titleChanged(const QString& title);
    void stationNameChanged(const QString& name);
    void playlistDetected();
    void ended();
    void failed(const StreamError& error); // once per open()
    void playlistFetched(const PlaylistParser::Result& result);
    void playlistFetchFailed(const StreamError& error);
};
