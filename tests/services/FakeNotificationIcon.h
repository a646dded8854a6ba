// A notification area without a tray: records what the icon is asked to do.
#pragma once

#include "services/NotificationIcon.h"

#include <QStringList>

class FakeNotificationIcon : public NotificationIcon
{
    Q_OBJECT

public:
    void add(const QIcon& icon, const QString& tip) override
    {
        shownIcon = icon;
        calls << QLatin1String("add:") + tip;
    }
    void modifyIcon(const QIcon& icon) override
    {
        shownIcon = icon;
        calls << QStringLiteral("icon");
    }
    void modifyTip(const QString& tip) override { calls << QLatin1String("tip:") + tip; }
    void remove() override { calls << QStringLiteral("remove"); }
    QString hostId() const override { return host; }

    QString host = QStringLiteral("x11:42");
    QStringList calls;
    QIcon shownIcon;
};
