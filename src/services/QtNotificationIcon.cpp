#include "services/QtNotificationIcon.h"

#include "services/TrayMouseMessages.h"
#include "services/X11Native.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace {
const QString StatusNotifierWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
}

QtNotificationIcon::QtNotificationIcon(QObject* parent) : NotificationIcon(parent)
{
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                for (int message : TrayMouse::messagesFor(reason))
                    Q_EMIT mouseMessage(message);
            });
    // The watcher's owner is followed by signal: the host watch never waits on the bus.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return;
    const auto reply = bus.interface()->serviceOwner(StatusNotifierWatcher);
    if (reply.isValid())
        m_watcherOwner = reply.value();
    auto* watcher = new QDBusServiceWatcher(StatusNotifierWatcher, bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(
        watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& owner) { m_watcherOwner = owner; });
}

void QtNotificationIcon::add(const QIcon& icon, const QString& tip)
{
    m_icon.setIcon(icon);
    m_icon.setToolTip(tip);
    m_icon.show();
}

void QtNotificationIcon::modifyIcon(const QIcon& icon)
{
    m_icon.setIcon(icon);
}

void QtNotificationIcon::modifyTip(const QString& tip)
{
    m_icon.setToolTip(tip);
}

void QtNotificationIcon::remove()
{
    m_icon.hide();
}

QString QtNotificationIcon::hostIdFrom(const QString& statusNotifierOwner,
                                       const QString& x11TrayOwner, bool otherPlatformTray)
{
    if (!statusNotifierOwner.isEmpty())
        return QLatin1String("sni:") + statusNotifierOwner;
    if (!x11TrayOwner.isEmpty())
        return QLatin1String("x11:") + x11TrayOwner;
    if (otherPlatformTray)
        return QStringLiteral("system");
    return {};
}

QString QtNotificationIcon::hostId() const
{
    const bool x11 = X11Native::available();
    const QString trayOwner = x11 ? X11Native::systemTrayHost() : QString();
    // Off X11 (Windows, macOS) the platform's own answer is all there is.
    const bool otherTray = !x11 && QSystemTrayIcon::isSystemTrayAvailable();
    return hostIdFrom(m_watcherOwner, trayOwner, otherTray);
}
