#include "services/QtNotificationIcon.h"

#include "services/TrayMouseMessages.h"
#include "services/X11Native.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

QtNotificationIcon::QtNotificationIcon(QObject* parent) : NotificationIcon(parent)
{
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                for (int message : TrayMouse::messagesFor(reason))
                    Q_EMIT mouseMessage(message);
            });
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
    QString watcherOwner;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface()) {
        const auto reply =
            bus.interface()->serviceOwner(QStringLiteral("org.kde.StatusNotifierWatcher"));
        if (reply.isValid())
            watcherOwner = reply.value();
    }
    const bool x11 = X11Native::available();
    const QString trayOwner = x11 ? X11Native::systemTrayHost() : QString();
    // Off X11 (Windows, macOS) the platform's own answer is all there is.
    const bool otherTray = !x11 && QSystemTrayIcon::isSystemTrayAvailable();
    return hostIdFrom(watcherOwner, trayOwner, otherTray);
}
