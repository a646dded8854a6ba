#include "player/ToolBarAccessible.h"

#include <QAccessibleWidget>
#include <QToolButton>

namespace {

class ToolButtonAccessible : public QAccessibleWidget
{
public:
    explicit ToolButtonAccessible(QToolButton* button)
        : QAccessibleWidget(button, QAccessible::PushButton)
    {}

    QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            text = button()->text();
        return text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        if (name == pressAction() && button()->isEnabled())
            QMetaObject::invokeMethod(button(), &QToolButton::click, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QToolButton* button() const { return static_cast<QToolButton*>(widget()); }
};

QAccessibleInterface* toolBarFactory(const QString& className, QObject* object)
{
    auto* button =
        className == QLatin1String("QToolButton") ? qobject_cast<QToolButton*>(object) : nullptr;
    if (!button || !button->defaultAction() || !button->parent() ||
        button->parent()->objectName() != QLatin1String("sktToolBar"))
        return nullptr;
    return new ToolButtonAccessible(button);
}

} // namespace

void ToolBarAccessible::install()
{
    QAccessible::installFactory(toolBarFactory); // Qt keeps a factory once
}
