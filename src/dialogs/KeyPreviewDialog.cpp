#include "dialogs/KeyPreviewDialog.h"

#include "controls/ButtonEx.h"

#include <QApplication>
#include <QKeyEvent>

KeyPreviewDialog::KeyPreviewDialog(QWidget* parent) : QDialog(parent)
{
    qApp->installEventFilter(this);
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
    auto* button = qobject_cast<ButtonEx*>(focusWidget());
    if (button && button->isEnabled() && !event->isAutoRepeat() &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        Q_EMIT button->Click();
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
