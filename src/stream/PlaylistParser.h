// Reads the stream addresses out of a playlist: PLS, M3U, ASX and XSPF, told
// apart by their content rather than their name. Relative entries are resolved
// against the playlist's own address. An HLS media playlist (.m3u8 with #EXT-X
// tags) is a stream in itself and is reported as such.
#pragma once

#include <QByteArray>
#include <QStringList>

struct PlaylistParser
{
    // Playlists larger than this are not playlists; readers stop there.
    static constexpr qsizetype MaxSize = 256 * 1024;

    struct Result
    {
        bool hls = false;    // play the playlist's own address directly
        QStringList entries; // in playlist order, blanks and duplicates removed
    };

    static Result parse(const QByteArray& data, const QString& baseUri);
};
