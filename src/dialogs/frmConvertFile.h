// The ORX conversion dialog: offers to convert the ORX files of the program
// folder into station lists and, on OK, converts them all with a progress bar
// and deletes the sources whose conversion succeeded (ConvertFileLogic). Shown
// modally at start-up, before the station list is loaded. Enter converts,
// Escape cancels.
#pragma once

#include "dialogs/KeyPreviewDialog.h"

class ButtonEx;
class Container3D;
class QCheckBox;
class QLabel;
class QProgressBar;

class frmConvertFile : public KeyPreviewDialog
{
    Q_OBJECT

public:
    // The dialog, created on first use; closing it unloads it.
    static frmConvertFile& instance();

    // Client heights in twips: the question, and the run, which uncovers the
    // progress area below it.
    static constexpr int QuestionHeight = 1710;
    static constexpr int ConvertingHeight = 2430;

private:
    explicit frmConvertFile(QWidget* parent = nullptr);
    void Form_Load();
    void gbOK_Click();

    QLabel* m_image1;
    QLabel* m_label1;
    QCheckBox* m_check1;
    ButtonEx* m_gbOK;
    ButtonEx* m_gbCancel;
    Container3D* m_container3D1;
    QProgressBar* m_progressBar1;
    QLabel* m_label2;
};
