// TEMPORARY: a silent stand-in for the stream player, linked into the main
// window's tests only while src/platform/MediaPlayer.cpp does not exist yet.
// Delete this file when the real player lands.
#include "platform/MediaPlayer.h"

class MediaPlayer::Private
{
public:
    QString url;
    int volume = 50;
    int balance = 0;
    bool mute = false;
    int state = Undefined;
};

void MediaPlayer::Controls::play()
{
    m_player.d->state = Transitioning;
    Q_EMIT m_player.StatusChange();
}

void MediaPlayer::Controls::stop()
{
    m_player.d->state = Stopped;
    Q_EMIT m_player.StatusChange();
}

int MediaPlayer::Settings::volume() const
{
    return m_player.d->volume;
}
void MediaPlayer::Settings::setVolume(int volume)
{
    m_player.d->volume = qBound(0, volume, 100);
}
int MediaPlayer::Settings::balance() const
{
    return m_player.d->balance;
}
void MediaPlayer::Settings::setBalance(int balance)
{
    m_player.d->balance = balance;
}
bool MediaPlayer::Settings::mute() const
{
    return m_player.d->mute;
}
void MediaPlayer::Settings::setMute(bool mute)
{
    m_player.d->mute = mute;
}

MediaPlayer::MediaPlayer(QObject* parent) : QObject(parent), d(std::make_unique<Private>()) {}
MediaPlayer::~MediaPlayer() = default;
QString MediaPlayer::URL() const
{
    return d->url;
}
void MediaPlayer::setURL(const QString& url)
{
    d->url = url;
}
int MediaPlayer::playState() const
{
    return d->state;
}
QString MediaPlayer::status() const
{
    return QString();
}
QString MediaPlayer::versionInfo()
{
    return QString();
}
