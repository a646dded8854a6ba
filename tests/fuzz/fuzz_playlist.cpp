// Playlists: any bytes give distinct, non-empty entries (none for an HLS
// playlist), each of which the address parser then judges.
#include "Fuzz.h"
#include "stream/PlaylistParser.h"
#include "stream/StreamAddress.h"

#include <QSet>

FUZZ_TARGET(bytes)
{
    // Playlists come from servers and from local files.
    for (const char* base : {"http://radio.example:8000/dir/list.pls", "file:///tmp/list.m3u"}) {
        const PlaylistParser::Result r = PlaylistParser::parse(bytes.toByteArray(), base);
        FUZZ_CHECK(!r.hls || r.entries.isEmpty(), QString());
        FUZZ_CHECK(r.entries.size() == QSet<QString>(r.entries.begin(), r.entries.end()).size(),
                   r.entries.join(u'\n'));
        for (const QString& entry : r.entries) {
            FUZZ_CHECK(!entry.isEmpty(), r.entries.join(u'\n'));
            StreamAddress::parse(entry);
        }
    }
}
