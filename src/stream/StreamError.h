// Why a stream could not be played, and how the player says so in Czech.
#pragma once

#include <QString>

struct StreamError
{
    enum Kind
    {
        None,
        InvalidAddress,      // not a URI at all
        RefusedScheme,       // detail: the scheme
        HostNotFound,        // host: the server's name
        ConnectionRefused,   // host
        HttpStatus,          // httpStatus: the server's answer (404, 500, ...)
        Timeout,             // the server answered nothing in time
        ConnectionLost,      // the server closed or the network failed mid-stream
        Starved,             // host; data comes, but too slowly to keep the audio going
        BadResponse,         // the server accepted but sent no valid HTTP answer
        NotAudio,            // the address does not lead to an audio stream
        UnsupportedFormat,   // detail: the missing decoder's description, if known
        UnsupportedProtocol, // detail: the missing source's description
        NoAudioOutput,       // detail: the output's own complaint, if any
        FileNotFound,        // a local file that does not exist or cannot be read
        EmptyPlaylist,       // a playlist with no usable entry
        PlaylistTooLarge,    // a "playlist" that never ended within the size cap
        Other                // detail: the engine's own message
    };

    Kind kind = None;
    QString host;
    int httpStatus = 0;
    QString detail;

    // Worth reconnecting after: the server or the network may come back.
    bool transient() const;

    // "Chyba: ..." in plain Czech words.
    QString text() const;

    // The HTTP status in an HTTP source's debug text ("Not Found (404), URL: ..."), or 0.
    static int httpStatusFromDebug(const QString& debug);

    static StreamError make(Kind kind, const QString& host = {}, const QString& detail = {});
};
