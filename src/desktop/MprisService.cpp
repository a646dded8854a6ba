#include "desktop/MprisService.h"

#include "common/Logging.h"
#include "desktop/MediaPlayer2Host.h"
#include "desktop/MprisPlayerAdaptor.h"
#include "desktop/MprisRootAdaptor.h"
#include "desktop/MprisRules.h"
#include "stream/MediaPlayer.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

// The track id travels as an object path.
QVariant busValue(const QString& name, const QVariant& value)
{
    if (name != QLatin1String("Metadata"))
        return value;
    QVariantMap metadata = value.toMap();
    const QString trackId = QStringLiteral("mpris:trackid");
    metadata[trackId] = QVariant::fromValue(QDBusObjectPath(metadata.value(trackId).toString()));
    return metadata;
}

} // namespace

MprisService::MprisService(MediaPlayer2Host& host, QObject* parent) : QObject(parent), m_host(host)
{
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &MprisService::announce);
    connect(&host.WMP(), &MediaPlayer::StatusChange, this, &MprisService::Refresh);
    connect(&host.WMP(), &MediaPlayer::VolumeChange, this, &MprisService::Refresh);
    publish();
}

MprisService::~MprisService() = default;

void MprisService::publish()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerObject(QLatin1String(ObjectPath), this)) {
        qCWarning(lcDesktop) << "no session bus: the desktop's media controls (MPRIS) are off";
        return;
    }
    QDBusMessage request = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    request << QLatin1String(ServiceName) << 4u; // DBUS_NAME_FLAG_DO_NOT_QUEUE
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(request), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        // 1: the owner now; 4: the owner already (a window made again).
        if (reply.isError() || (reply.value() != 1 && reply.value() != 4)) {
            qCWarning(lcDesktop).noquote()
                << ServiceName << "is taken (another skyTuner?): the desktop's media controls"
                << "(MPRIS) are off" << reply.error().message();
            QDBusConnection::sessionBus().unregisterObject(QLatin1String(ObjectPath));
            return;
        }
        m_published = true;
        m_announced = MprisRules::playerProperties(snapshot());
        qCInfo(lcDesktop) << "published as" << ServiceName;
    });
}

MprisRules::Snapshot MprisService::snapshot() const
{
    MediaPlayer& player = m_host.WMP();
    return {player.playState(),
            player.URL(),
            player.title(),
            player.stationName(),
            m_host.StationName(player.URL()),
            player.settings().volume(),
            int(m_host.StationKeys().size())};
}

QVariant MprisService::playerProperty(const QString& name) const
{
    return busValue(name, MprisRules::playerProperties(snapshot()).value(name));
}

void MprisService::Refresh()
{
    m_refresh.start();
}

void MprisService::announce()
{
    if (!m_published)
        return;
    const QVariantMap now = MprisRules::playerProperties(snapshot());
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (m_announced.value(it.key()) != it.value())
            changed.insert(it.key(), busValue(it.key(), it.value()));
    m_announced = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QLatin1String(ObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QLatin1String(PlayerInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void MprisService::Raise()
{
    m_host.Raise();
}

void MprisService::Quit()
{
    QMetaObject::invokeMethod(
        this, [this] { m_host.Quit(); }, Qt::QueuedConnection);
}

void MprisService::Play()
{
    MediaPlayer& player = m_host.WMP();
    if (MprisRules::playing(player.playState()))
        return;
    if (!player.URL().isEmpty())
        player.controls().play();
    else
        playNeighbour(1);
}

void MprisService::Pause()
{
    Stop();
}

void MprisService::PlayPause()
{
    if (MprisRules::playing(m_host.WMP().playState()))
        Stop();
    else
        Play();
}

void MprisService::Stop()
{
    m_host.WMP().controls().stop();
}

void MprisService::Next()
{
    playNeighbour(1);
}

void MprisService::Previous()
{
    playNeighbour(-1);
}

void MprisService::playNeighbour(int step)
{
    const QString key = MprisRules::neighbour(m_host.StationKeys(), m_host.WMP().URL(), step);
    if (!key.isEmpty())
        m_host.PlayStation(key);
}

void MprisService::OpenUri(const QString& uri)
{
    m_host.PlayAddress(uri);
}

void MprisService::setVolume(double volume)
{
    m_host.WMP().settings().setVolume(MprisRules::playerVolume(volume));
}
