#include "dialogs/KeyPreviewDialog.h"

#include "controls/ButtonEx.h"

#include <QApplication>
#include <QKeyEvent>

KeyPreviewDialog::KeyPreviewDialog(QWidget* parent) : QDialog(parent)
{
    qApp->installEventFilter(this);
    // After the buttons' own focus handling, which sets and clears the frame.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (m_default && now && now->window() == this)
            m_default->setDisplayAsDefault(now == m_default || !qobject_cast<ButtonEx*>(now));
    });
}

void KeyPreviewDialog::setDefaultButton(ButtonEx* button)
{
    m_default = button;
    button->setDisplayAsDefault(true);
}

KeyPreviewDialog::~KeyPreviewDialog()
{
    qApp->removeEventFilter(this);
}

bool KeyPreviewDialog::previewKey(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        reject();
        return true;
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    auto* button = qobject_cast<ButtonEx*>(focusWidget());
    if (!button && enter)
        button = m_default;
    if (button && button->isEnabled() && !event->isAutoRepeat() &&
        (enter || key == Qt::Key_Space)) {
        button->performClick();
        return true;
    }
    return false;
}

bool KeyPreviewDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget && widget->window() == this && previewKey(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
