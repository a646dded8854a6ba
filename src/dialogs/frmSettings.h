// The settings dialog: icon animation, minimising to the tray, starting the
// last station, the favourite station list and the language. It reads the
// settings file at every opening and writes it only on "Uložit a zavřít";
// "Zavřít", Escape and the close box write nothing. The main window applies
// the settings after it closes.
#pragma once

#include "dialogs/KeyPreviewDialog.h"

class ButtonEx;
class LumenButton;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QLineEdit;

class frmSettings : public KeyPreviewDialog
{
    Q_OBJECT

public:
    static frmSettings& instance();

    // Form_Load: the controls show the file's values.
    int exec() override;

    QCheckBox* chkAnim() const { return m_anim; }
    QCheckBox* chkMinTray() const { return m_minTray; }
    QCheckBox* chkAutostart() const { return m_autoStart; }
    QLineEdit* txtFav() const { return m_fav; }
    LumenButton* btnFavOpen() const { return m_favOpen; }
    LumenButton* btnFavNo() const { return m_favNo; }
    QComboBox* imgcLang() const { return m_lang; }
    ButtonEx* gbOK() const { return m_ok; }
    ButtonEx* gbCancel() const { return m_cancel; }
    QFileDialog* cmdDialog() const { return m_fileDialog; }

private:
    explicit frmSettings(QWidget* parent);
    void btnFavOpen_Click();
    void gbOK_Click();

    QCheckBox* m_anim;
    QCheckBox* m_minTray;
    QCheckBox* m_autoStart;
    QLineEdit* m_fav;
    LumenButton* m_favOpen;
    LumenButton* m_favNo;
    QComboBox* m_lang;
    ButtonEx* m_ok;
    ButtonEx* m_cancel;
    QFileDialog* m_fileDialog;
};
