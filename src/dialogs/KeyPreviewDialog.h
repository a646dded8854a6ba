// The base of the modal dialogs: a QDialog that sees every key press of its own
// widgets before they do (key preview, as the main window does). Escape closes
// it without a question (Shift+Escape too, as the character 27 is the same);
// Enter or Space on a focused ButtonEx clicks it, the keyboard's way to press
// the button the focus is on; Enter elsewhere clicks the default button, which
// shows the default frame while no other ButtonEx has the focus. A dialog adds
// its own keys in previewKey().
#pragma once

#include <QDialog>
#include <QPointer>

class ButtonEx;
class QKeyEvent;

class KeyPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KeyPreviewDialog(QWidget* parent = nullptr);
    ~KeyPreviewDialog() override;

protected:
    void setDefaultButton(ButtonEx* button);

    // A key press anywhere in the dialog, before the focused widget sees it;
    // true consumes it.
    virtual bool previewKey(QKeyEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<ButtonEx> m_default;
};
