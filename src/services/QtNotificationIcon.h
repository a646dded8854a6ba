// NotificationIcon on QSystemTrayIcon. Tray activations become mouse messages;
// the host is the owner of the X11 system tray selection or, where a
// StatusNotifier watcher runs, that watcher's bus name.
#pragma once

#include "services/NotificationIcon.h"

#include <QSystemTrayIcon>

class QtNotificationIcon : public NotificationIcon
{
    Q_OBJECT

public:
    explicit QtNotificationIcon(QObject* parent = nullptr);

    void add(const QIcon& icon, const QString& tip) override;
    void modifyIcon(const QIcon& icon) override;
    void modifyTip(const QString& tip) override;
    void remove() override;
    QString hostId() const override;
    QRect geometry() const override { return m_icon.geometry(); }

    // The host identity as a pure function of what can be seen: the owner of
    // the StatusNotifier watcher's bus name wins over the X11 tray selection.
    static QString hostIdFrom(const QString& statusNotifierOwner, const QString& x11TrayOwner,
                              bool otherPlatformTray);

private:
    QSystemTrayIcon m_icon;
    QString m_watcherOwner; // of the StatusNotifier watcher's bus name; empty for none
};
