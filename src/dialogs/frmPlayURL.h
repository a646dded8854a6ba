// The open-URL dialog: plays any stream address typed in, without the address
// being part of a station list. One instance, created on first use; shown
// modally, it returns nothing and acts on the main window's player itself.
#pragma once

#include "dialogs/KeyPreviewDialog.h"

class ButtonEx;
class QLabel;
class QLineEdit;

class frmPlayURL : public KeyPreviewDialog
{
    Q_OBJECT

public:
    static frmPlayURL& instance();

    // Every opening starts with an empty address.
    int exec() override;

    QLabel* Label1() const { return m_label; }
    QLineEdit* txtStationURL() const { return m_url; }
    ButtonEx* gbOK() const { return m_ok; }
    ButtonEx* gbCancel() const { return m_cancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit frmPlayURL(QWidget* parent);
    void gbOK_Click();

    QLabel* m_label;
    QLineEdit* m_url;
    ButtonEx* m_ok;
    ButtonEx* m_cancel;
};
