// What a stream address typed by the user or read from a station file means to
// the player: a network stream, a local file, a playlist to resolve first, or
// something refused. Station files are untrusted input, so only a fixed set of
// schemes ever reaches the media engine.
#pragma once

#include <QString>

struct StreamAddress
{
    enum Kind
    {
        Empty,         // nothing to play
        Invalid,       // cannot be a URI at all
        RefusedScheme, // a scheme the player does not open (devices, arbitrary sources)
        Network,       // http, https, rtsp, mms, mmsh
        File           // a local file
    };

    Kind kind = Empty;
    QString uri;               // encoded URI for the engine (Network and File)
    QString scheme;            // lower case; for RefusedScheme the refused one
    QString host;              // Network: the server's host name; File: the file name
    int port = -1;             // Network: the port (default for the scheme when absent)
    bool playlistName = false; // the path ends in a playlist extension (.pls, .m3u, ...)

    bool playable() const { return kind == Network || kind == File; }

    // Blanks around the text are ignored; an address without a scheme that is
    // not an existing file is taken as http://.
    static StreamAddress parse(const QString& text);

    // True for the content types servers send with playlists.
    static bool isPlaylistContentType(const QString& contentType);
};
