// The about box: the program's version and the stream player's, beside the
// splash picture and the lines on licence, web address and ownership. One
// instance, created on first use; shown modally.
#pragma once

#include "dialogs/KeyPreviewDialog.h"

class ButtonEx;
class QLabel;

class frmAbout : public KeyPreviewDialog
{
    Q_OBJECT

public:
    static frmAbout& instance();

    // Every opening reads the versions afresh (Form_Load).
    int exec() override;

    QLabel* lblVerApp() const { return m_verApp; }
    QLabel* lblVerWMP() const { return m_verWMP; }
    ButtonEx* gbClose() const { return m_close; }

private:
    explicit frmAbout(QWidget* parent);

    QLabel* m_verApp;
    QLabel* m_verWMP;
    ButtonEx* m_close;
};
