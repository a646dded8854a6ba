// The notification-area service SysTray drives: one icon with a tip, added,
// modified and removed, reporting mouse actions as tray mouse messages
// (TrayMouseMessages.h). The identity of the notification-area host lets the
// owner notice when the host is replaced and the icon must be added again.
#pragma once

#include <QIcon>
#include <QObject>
#include <QRect>
#include <QString>

class NotificationIcon : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void add(const QIcon& icon, const QString& tip) = 0;
    virtual void modifyIcon(const QIcon& icon) = 0;
    virtual void modifyTip(const QString& tip) = 0;
    virtual void remove() = 0;

    // Who hosts the notification area now; empty when there is none.
    virtual QString hostId() const = 0;

    // The icon's place on the screen, when the host tells it.
    virtual QRect geometry() const { return {}; }

Q_SIGNALS:
    void mouseMessage(int message);
};
