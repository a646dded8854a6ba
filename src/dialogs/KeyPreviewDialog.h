// The base of the modal dialogs: a QDialog that sees every key press of its own
// widgets before they do (key preview, as the main window does). Escape closes
// it without a question (Shift+Escape too, as the character 27 is the same);
// Enter or Space on a focused ButtonEx clicks it, the keyboard's way to press
// the button the focus is on. A dialog adds its own keys in previewKey().
#pragma once

#include <QDialog>

class QKeyEvent;

class KeyPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KeyPreviewDialog(QWidget* parent = nullptr);
    ~KeyPreviewDialog() override;

protected:
    // A key press anywhere in the dialog, before the focused widget sees it;
    // true consumes it.
    virtual bool previewKey(QKeyEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
};
