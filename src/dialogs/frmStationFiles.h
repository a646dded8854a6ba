// The station list chooser: lists the station list files of a folder (the
// program folder first) with size and date, lets the user switch folders, and
// on OK, a double click or Enter makes the picked file the main window's
// current list. One instance, created on first use; shown modally.
#pragma once

#include "dialogs/KeyPreviewDialog.h"
#include "dialogs/logic/StationFilesLogic.h"
#include "platform/WaitCursor.h"

#include <QTimer>

#include <optional>

class ButtonEx;
class Container3D;
class KeyedListView;
class QLabel;

class frmStationFiles : public KeyPreviewDialog
{
    Q_OBJECT

public:
    static frmStationFiles& instance();
    ~frmStationFiles() override;

    // Every opening lists the program folder afresh, with nothing picked.
    int exec() override;
    void done(int result) override;

    KeyedListView* lstStations() const { return m_list; }
    ButtonEx* gbOK() const { return m_ok; }
    ButtonEx* gbFolder() const { return m_folder; }
    ButtonEx* gbCancel() const { return m_cancel; }
    Container3D* cntWait() const { return m_wait; }
    StationFilesLogic& logic() { return m_logic; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    explicit frmStationFiles(QWidget* parent);
    void ReadDirectory(const QString& folder);
    void AddRows(const QList<StationFilesLogic::Row>& rows);
    void ListingDone();
    void CentreWait();
    void Confirm();
    void gbFolder_Click();

    StationFilesLogic m_logic;
    StationFilesLogic::Sort m_sort;
    KeyedListView* m_list;
    ButtonEx* m_ok;
    ButtonEx* m_folder;
    ButtonEx* m_cancel;
    Container3D* m_wait;
    QLabel* m_waitImage;
    QTimer m_waitTimer; // steps the wait picture
    int m_waitFrame = 0;
    std::optional<WaitCursor> m_waitCursor;
};
