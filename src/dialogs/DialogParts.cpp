#include "dialogs/DialogParts.h"

#include "controls/ButtonEx.h"

#include <QLabel>

namespace DialogParts {

ButtonEx* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new ButtonEx(parent);
    button->setObjectName(QLatin1String(name));
    button->setCaption(caption);
    button->setFixedSize(button->size());
    return button;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace DialogParts
