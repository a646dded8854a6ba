#include "controls/ControlsAccessible.h"

#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "controls/LumenButton.h"
#include "controls/ucSlider.h"
#include "platform/GdiText.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace {

// A push button of ours; Button is ButtonEx or LumenButton.
template <typename Button> class ButtonAccessible : public QAccessibleWidget
{
public:
    explicit ButtonAccessible(Button* button)
        : QAccessibleWidget(button,
                            toggles(button) ? QAccessible::CheckBox : QAccessible::PushButton)
    {}

    QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            text = Gdi::parsePrefixText(button()->Caption()).display;
        return text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (toggles(button())) {
            state.checkable = true;
            state.checked = isIn(button());
        }
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    // The access key of the caption, which clicks as the press does.
    QStringList keyBindingsForAction(const QString& name) const override
    {
        const std::optional<QChar> key = Gdi::underlinedCharacter(button()->Caption());
        if (name != pressAction() || !key)
            return QAccessibleWidget::keyBindingsForAction(name);
        return {QStringLiteral("Alt+") + key->toUpper()};
    }

    void doAction(const QString& name) override
    {
        // From the event loop, as a click comes: an assistive tool's call
        // returns before a dialog the click opens runs its own loop.
        if (name == pressAction() && button()->isEnabled())
            QMetaObject::invokeMethod(button(), &Button::performClick, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(name);
    }

private:
    Button* button() const { return static_cast<Button*>(widget()); }
    static bool toggles(const ButtonEx* button) { return button->Style() == 1; }
    static bool toggles(const LumenButton*) { return false; }
    static bool isIn(const ButtonEx* button) { return button->Value() == 0; }
    static bool isIn(const LumenButton*) { return false; }
};

class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit SliderAccessible(ucSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override { return slider()->Value(); }
    // Any number is taken: held to the range, rounded, and set as a drag sets
    // it (Change and the arrival events follow).
    void setCurrentValue(const QVariant& value) override
    {
        if (!slider()->isEnabled())
            return;
        const double wanted =
            std::clamp(value.toDouble(), double(slider()->Min()), double(slider()->Max()));
        slider()->setValue(qRound(wanted));
    }
    QVariant maximumValue() const override { return slider()->Max(); }
    QVariant minimumValue() const override { return slider()->Min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    ucSlider* slider() const { return static_cast<ucSlider*>(widget()); }
};

QAccessibleInterface* controlsFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ucSlider"))
        return new SliderAccessible(static_cast<ucSlider*>(object));
    if (className == QLatin1String("ButtonEx"))
        return new ButtonAccessible<ButtonEx>(static_cast<ButtonEx*>(object));
    if (className == QLatin1String("LumenButton"))
        return new ButtonAccessible<LumenButton>(static_cast<LumenButton*>(object));
    if (className == QLatin1String("Container3D"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

void ControlsAccessible::install()
{
    QAccessible::installFactory(controlsFactory); // Qt keeps a factory once
}

void ControlsAccessible::announceChecked(QWidget* button)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(button, changed);
    QAccessible::updateAccessibility(&event);
}

void ControlsAccessible::announceName(QWidget* control)
{
    QAccessibleEvent event(control, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
