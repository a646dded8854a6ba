#include "stream/PlaybackStateMachine.h"

#include "stream/TitleText.h"

#include <QElapsedTimer>

#include <array>

using Commands = PlaybackStateMachine::Commands;
using enum PlayState::Number;

namespace {

QString clean(const QString& text)
{
    return TitleText::clean(text, PlaybackStateMachine::MaxTitleLength);
}

qint64 monotonicMs()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

} // namespace

int PlaybackStateMachine::backoffMs(int attempt)
{
    static constexpr std::array<int, MaxReconnects> delays = {1000, 2000, 4000, 8000, 15000};
    return delays[std::clamp(attempt, 1, MaxReconnects) - 1];
}

bool PlaybackStateMachine::active() const
{
    return m_state == Transitioning || m_state == Buffering || m_state == Playing ||
           m_state == Reconnecting;
}

void PlaybackStateMachine::set(State state, const QString& status)
{
    m_state = state;
    m_status = status;
}

QString PlaybackStateMachine::playingText() const
{
    if (!m_title.isEmpty())
        return QStringLiteral("Přehrávání: ") + m_title;
    if (!m_stationName.isEmpty())
        return QStringLiteral("Přehrávání: ") + m_stationName;
    return QStringLiteral("Přehrávání");
}

StreamAddress PlaybackStateMachine::currentEntry() const
{
    return StreamAddress::parse(m_entries.value(m_index));
}

Commands PlaybackStateMachine::open(const QString& address)
{
    m_address = address;
    m_entries = {address};
    m_index = 0;
    m_depth = 0;
    m_listed = 0;
    m_tried = 0;
    m_remoteEntries = false;
    m_fetching = false;
    m_everPlayed = false;
    m_attempt = 0;
    m_title.clear();
    m_stationName.clear();

    Commands c;
    c.close = true;
    const StreamAddress a = StreamAddress::parse(address);
    if (a.kind == StreamAddress::Empty) {
        // Nothing to play: whatever played stops, and an idle player stays silent.
        if (m_state != Undefined && m_state != Stopped)
            set(Stopped, QStringLiteral("Zastaveno"));
        return c;
    }
    if (!a.playable()) {
        StreamError e =
            StreamError::make(a.kind == StreamAddress::RefusedScheme ? StreamError::RefusedScheme
                                                                     : StreamError::InvalidAddress,
                              a.host, a.scheme);
        return fail(e);
    }
    const Commands next = openEntry();
    c.fetch = next.fetch;
    c.open = next.open;
    c.openDirect = next.openDirect;
    return c;
}

Commands PlaybackStateMachine::play()
{
    if (active() || StreamAddress::parse(m_address).kind == StreamAddress::Empty)
        return {};
    return open(m_address);
}

Commands PlaybackStateMachine::stop()
{
    if (m_state == Undefined || m_state == Stopped)
        return {};
    set(Stopped, QStringLiteral("Zastaveno"));
    m_fetching = false;
    Commands c;
    c.close = true;
    return c;
}

Commands PlaybackStateMachine::openEntry()
{
    const StreamAddress a = currentEntry();
    if (!a.playable() || (m_remoteEntries && a.kind == StreamAddress::File)) {
        // A playlist entry that cannot or must not be opened counts as a dead one.
        return tryNextEntry(StreamError::make(a.kind == StreamAddress::RefusedScheme ||
                                                      a.kind == StreamAddress::File
                                                  ? StreamError::RefusedScheme
                                                  : StreamError::InvalidAddress,
                                              a.host, a.scheme));
    }
    set(Transitioning, a.kind == StreamAddress::File
                           ? QStringLiteral("Otevírání souboru %1...").arg(a.host)
                           : QStringLiteral("Připojování k %1...").arg(a.host));
    Commands c;
    if (a.playlistName && m_depth < MaxPlaylistDepth) {
        m_fetching = true;
        c.fetch = a.uri;
    } else {
        c.open = a.uri;
    }
    return c;
}

Commands PlaybackStateMachine::playlistRead(const PlaylistParser::Result& result)
{
    if (!m_fetching || !active())
        return {};
    m_fetching = false;
    ++m_depth;
    const StreamAddress list = currentEntry();
    if (result.hls) {
        Commands c;
        c.open = list.uri;
        c.openDirect = true;
        return c;
    }
    if (result.entries.isEmpty())
        return tryNextEntry(StreamError::make(StreamError::EmptyPlaylist, list.host));
    m_remoteEntries = m_remoteEntries || list.kind == StreamAddress::Network;
    m_listed += int(result.entries.size());
    m_entries.removeAt(m_index);
    for (qsizetype i = 0; i < result.entries.size(); ++i)
        m_entries.insert(m_index + i, result.entries.at(i));
    return openEntry();
}

Commands PlaybackStateMachine::playlistDetected()
{
    if (!active() || m_everPlayed || m_depth >= MaxPlaylistDepth)
        return {};
    m_fetching = true;
    Commands c;
    c.close = true;
    c.fetch = currentEntry().uri;
    return c;
}

Commands PlaybackStateMachine::buffering(int percent)
{
    if (m_state == Transitioning || m_state == Buffering)
        set(Buffering, QStringLiteral("Načítání %1 %").arg(std::clamp(percent, 0, 100)));
    // Once playing, a live stream is never held back to refill its buffer.
    return {};
}

Commands PlaybackStateMachine::audioStarted()
{
    if (!active())
        return {};
    if (m_state != Playing)
        m_playingSince = m_clock ? m_clock() : monotonicMs();
    m_everPlayed = true;
    set(Playing, playingText());
    return {};
}

Commands PlaybackStateMachine::titleChanged(const QString& title)
{
    m_title = clean(title);
    if (m_state == Playing)
        set(Playing, playingText());
    return {};
}

Commands PlaybackStateMachine::stationNameChanged(const QString& name)
{
    m_stationName = clean(name);
    if (m_state == Playing)
        set(Playing, playingText());
    return {};
}

Commands PlaybackStateMachine::ended()
{
    if (!active())
        return {};
    if (currentEntry().kind == StreamAddress::File) {
        if (m_index + 1 < m_entries.size()) {
            ++m_index;
            Commands c = openEntry();
            c.close = true;
            return c;
        }
        set(MediaEnded, QStringLiteral("Přehrávání skončilo"));
        Commands c;
        c.close = true;
        return c;
    }
    // A radio stream has no end: the server closed the connection.
    return failed(StreamError::make(StreamError::ConnectionLost));
}

Commands PlaybackStateMachine::failed(StreamError error)
{
    if (!active())
        return {};
    if (error.host.isEmpty())
        error.host = currentEntry().host;
    if (!m_everPlayed)
        return tryNextEntry(error);

    const qint64 now = m_clock ? m_clock() : monotonicMs();
    if (m_state == Playing && now - m_playingSince >= StableMs)
        m_attempt = 0;
    if (!error.transient() || m_attempt >= MaxReconnects)
        return fail(error);
    ++m_attempt;
    set(Reconnecting,
        QStringLiteral("Obnovování spojení (%1/%2)...").arg(m_attempt).arg(MaxReconnects));
    Commands c;
    c.close = true;
    c.retryInMs = backoffMs(m_attempt);
    return c;
}

Commands PlaybackStateMachine::retryDue()
{
    if (m_state != Reconnecting)
        return {};
    Commands c;
    c.close = true;
    c.open = currentEntry().uri;
    c.openDirect = true;
    return c;
}

Commands PlaybackStateMachine::tryNextEntry(const StreamError& error)
{
    if (m_depth > 0)
        ++m_tried;
    if (m_index + 1 < m_entries.size() && m_tried < MaxPlaylistTries) {
        ++m_index;
        Commands c = openEntry();
        c.close = true;
        return c;
    }
    Commands c = fail(error);
    if (m_tried > 1)
        m_status +=
            QStringLiteral(", vyzkoušeno adres ze seznamu: %1 z %2").arg(m_tried).arg(m_listed);
    return c;
}

Commands PlaybackStateMachine::fail(const StreamError& error)
{
    set(Ready, error.text());
    m_fetching = false;
    Commands c;
    c.close = true;
    return c;
}
