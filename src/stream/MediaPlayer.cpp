#include "stream/MediaPlayer.h"

#include "common/modGlobal.h"
#include "stream/PlaybackStateMachine.h"
#include "stream/StreamEngine.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

class MediaPlayer::Private
{
public:
    Private(MediaPlayer* player, std::unique_ptr<StreamEngine> e)
        : q(player), engine(std::move(e)), retry(new QTimer(player))
    {
        // A child, so that tests find it and need not wait out the back-off.
        retry->setObjectName(QStringLiteral("retry"));
        retry->setSingleShot(true);
    }

    // Runs one event through the state machine, carries out its commands and
    // queues a notification when the state or the status text changed.
    template <typename Event> void handle(Event event)
    {
        const int stateBefore = machine.state();
        const QString statusBefore = machine.status();
        apply(event());
        if (machine.state() != stateBefore || machine.status() != statusBefore)
            QMetaObject::invokeMethod(
                q, [p = q] { Q_EMIT p->StatusChange(); }, Qt::QueuedConnection);
    }

    void apply(const PlaybackStateMachine::Commands& c)
    {
        if (c.close) {
            engine->close();
            engine->cancelFetch();
            retry->stop();
        }
        if (!c.fetch.isEmpty())
            engine->fetchPlaylist(c.fetch);
        if (!c.open.isEmpty())
            engine->open(c.open, !c.openDirect);
        if (c.retryInMs >= 0)
            retry->start(c.retryInMs);
    }

    void updateGains()
    {
        // The gain is exactly the decibel value the volume display shows.
        const double gain =
            mute || volume == 0 ? 0.0 : std::pow(10.0, modGlobal::VolumeToDecibels(volume) / 20.0);
        const double left = balance > 0 ? (100 - balance) / 100.0 : 1.0;
        const double right = balance < 0 ? (100 + balance) / 100.0 : 1.0;
        engine->setGains(gain * left, gain * right);
    }

    MediaPlayer* q;
    PlaybackStateMachine machine;
    std::unique_ptr<StreamEngine> engine;
    QTimer* retry; // owned by the player
    QString url;
    int volume = 50;
    int balance = 0;
    bool mute = false;
};

MediaPlayer::MediaPlayer(std::unique_ptr<StreamEngine> engine, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>(this, std::move(engine)))
{
    connect(d->retry, &QTimer::timeout, this,
            [this] { d->handle([&] { return d->machine.retryDue(); }); });
    connect(d->engine.get(), &StreamEngine::buffering, this,
            [this](int p) { d->handle([&] { return d->machine.buffering(p); }); });
    connect(d->engine.get(), &StreamEngine::audioStarted, this,
            [this] { d->handle([&] { return d->machine.audioStarted(); }); });
    connect(d->engine.get(), &StreamEngine::titleChanged, this,
            [this](const QString& t) { d->handle([&] { return d->machine.titleChanged(t); }); });
    connect(d->engine.get(), &StreamEngine::stationNameChanged, this, [this](const QString& n) {
        d->handle([&] { return d->machine.stationNameChanged(n); });
    });
    connect(d->engine.get(), &StreamEngine::playlistDetected, this,
            [this] { d->handle([&] { return d->machine.playlistDetected(); }); });
    connect(d->engine.get(), &StreamEngine::ended, this,
            [this] { d->handle([&] { return d->machine.ended(); }); });
    connect(d->engine.get(), &StreamEngine::failed, this,
            [this](const StreamError& e) { d->handle([&] { return d->machine.failed(e); }); });
    connect(d->engine.get(), &StreamEngine::playlistFetched, this,
            [this](const PlaylistParser::Result& r) {
                d->handle([&] { return d->machine.playlistRead(r); });
            });
    connect(d->engine.get(), &StreamEngine::playlistFetchFailed, this,
            [this](const StreamError& e) { d->handle([&] { return d->machine.failed(e); }); });
    d->updateGains();
}

MediaPlayer::~MediaPlayer() = default;

QString MediaPlayer::URL() const
{
    return d->url;
}

void MediaPlayer::setURL(const QString& url)
{
    d->url = url;
    d->handle([&] { return d->machine.open(url); });
}

int MediaPlayer::playState() const
{
    return d->machine.state();
}

QString MediaPlayer::status() const
{
    return d->machine.status();
}

QString MediaPlayer::title() const
{
    return d->machine.title();
}

QString MediaPlayer::stationName() const
{
    return d->machine.stationName();
}

QString MediaPlayer::versionInfo() const
{
    return d->engine->versionInfo();
}

void MediaPlayer::Controls::play()
{
    m_player.d->handle([this] { return m_player.d->machine.play(); });
}

void MediaPlayer::Controls::stop()
{
    m_player.d->handle([this] { return m_player.d->machine.stop(); });
}

int MediaPlayer::Settings::volume() const
{
    return m_player.d->volume;
}

void MediaPlayer::Settings::setVolume(int volume)
{
    const int before = m_player.d->volume;
    m_player.d->volume = std::clamp(volume, 0, 100);
    m_player.d->updateGains();
    if (m_player.d->volume != before)
        Q_EMIT m_player.VolumeChange();
}

int MediaPlayer::Settings::balance() const
{
    return m_player.d->balance;
}

void MediaPlayer::Settings::setBalance(int balance)
{
    m_player.d->balance = std::clamp(balance, -100, 100);
    m_player.d->updateGains();
}

bool MediaPlayer::Settings::mute() const
{
    return m_player.d->mute;
}

void MediaPlayer::Settings::setMute(bool mute)
{
    m_player.d->mute = mute;
    m_player.d->updateGains();
}
