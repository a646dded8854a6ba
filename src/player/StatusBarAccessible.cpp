#include "player/StatusBarAccessible.h"

#include "player/PlayerStatusBar.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

const QString VolumeKey = QStringLiteral("volume");

class VolumePanelAccessible : public QAccessibleWidget
{
public:
    explicit VolumePanelAccessible(QLabel* panel)
        : QAccessibleWidget(panel, QAccessible::PushButton)
    {}

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        auto* bar = static_cast<PlayerStatusBar*>(widget()->parentWidget());
        if (name == pressAction())
            QMetaObject::invokeMethod(
                bar, [bar] { Q_EMIT bar->PanelClick(VolumeKey); }, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* statusBarFactory(const QString& className, QObject* object)
{
    auto* panel = className == QLatin1String("QLabel") ? qobject_cast<QLabel*>(object) : nullptr;
    if (!panel || panel->objectName() != VolumeKey ||
        !qobject_cast<PlayerStatusBar*>(panel->parentWidget()))
        return nullptr;
    return new VolumePanelAccessible(panel);
}

} // namespace

void StatusBarAccessible::install()
{
    QAccessible::installFactory(statusBarFactory); // Qt keeps a factory once
}
