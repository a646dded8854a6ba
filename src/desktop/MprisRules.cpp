#include "desktop/MprisRules.h"

#include "stream/PlayState.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cmath>

namespace MprisRules {

bool playing(int playState)
{
    using namespace PlayState;
    return playState == Playing || playState == Buffering || playState == Waiting ||
           playState == Transitioning || playState == Reconnecting;
}

QString playbackStatus(int playState)
{
    if (playing(playState))
        return QStringLiteral("Playing");
    return playState == PlayState::Paused ? QStringLiteral("Paused") : QStringLiteral("Stopped");
}

double volume(int playerVolume)
{
    return std::clamp(playerVolume, 0, 100) / 100.0;
}

int playerVolume(double volume)
{
    if (!(volume > 0.0)) // also NaN
        return 0;
    return volume >= 1.0 ? 100 : int(std::lround(volume * 100.0));
}

QString trackId(const QString& url)
{
    if (url.isEmpty())
        return QLatin1String(NoTrack);
    // Object paths allow only [A-Za-z0-9_]: the address's digest names it.
    return QStringLiteral("/org/skytuner/stream/") +
           QLatin1String(QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Md5).toHex());
}

QVariantMap metadata(const Snapshot& s)
{
    QVariantMap map{{QStringLiteral("mpris:trackid"), trackId(s.url)}};
    if (s.url.isEmpty())
        return map;
    const QString name = !s.stationName.isEmpty() ? s.stationName : s.streamName;
    map.insert(QStringLiteral("xesam:url"), s.url);
    if (playing(s.playState) && !s.title.isEmpty()) {
        map.insert(QStringLiteral("xesam:title"), s.title);
        if (!name.isEmpty())
            map.insert(QStringLiteral("xesam:artist"), QStringList{name});
    } else {
        map.insert(QStringLiteral("xesam:title"), name.isEmpty() ? s.url : name);
    }
    return map;
}

QVariantMap playerProperties(const Snapshot& s)
{
    // Pause stops a live stream, so whatever can play can pause.
    const bool canPlay = !s.url.isEmpty() || s.stations > 0;
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus(s.playState)},
        {QStringLiteral("Metadata"), metadata(s)},
        {QStringLiteral("Volume"), volume(s.volume)},
        {QStringLiteral("CanGoNext"), s.stations > 0},
        {QStringLiteral("CanGoPrevious"), s.stations > 0},
        {QStringLiteral("CanPlay"), canPlay},
        {QStringLiteral("CanPause"), canPlay},
    };
}

QString neighbour(const QStringList& keys, const QString& current, int step)
{
    if (keys.isEmpty())
        return {};
    const qsizetype at = keys.indexOf(current);
    if (at < 0)
        return step > 0 ? keys.first() : keys.last();
    const qsizetype n = keys.size();
    return keys.at(((at + step) % n + n) % n);
}

} // namespace MprisRules
