// The station list editor: builds and changes station list files one station
// at a time, and tries an address on a preview player of its own. One instance,
// created on first use; every opening starts with an empty, new list, and it
// never touches the main window's list. The decisions are StationEditLogic's.
#pragma once

#include "dialogs/KeyPreviewDialog.h"
#include "dialogs/logic/StationEditLogic.h"

#include <memory>

class ButtonEx;
class KeyedListView;
class MediaPlayer;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;

class frmStationEdit : public KeyPreviewDialog
{
    Q_OBJECT

public:
    static frmStationEdit& instance();
    ~frmStationEdit() override;

    // Form load: a new list, empty fields; the preview player is made here.
    int exec() override;
    // Every way of closing stops the preview.
    void done(int result) override;

    const StationEditLogic& logic() const { return m_logic; }
    KeyedListView* lstvStations() const { return m_list; }
    MediaPlayer* editWMP() const { return m_wmp.get(); }

    // The toolbar's buttons by key ("tb_save"), as a click on them.
    void Toolbar1_ButtonClick(const QString& key);
    // What "tb_open" does with the file name the dialog returned.
    void openFile(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit frmStationEdit(QWidget* parent);
    void buildToolbar();
    void ClearStationFields();
    void updateCount();
    void lstvStations_ItemClick(int row);
    void lstvStations_ColumnClick(int column);
    void gbtnSave_Click();
    void gbtnRemove_Click();
    void chkVisible_Click();
    void cmdColor_Click();
    void setColor(qint32 colour);
    void btnPlay_Click();
    // The save question for the list's changes; true when the caller goes on.
    bool askToSave();
    void openList();
    // The save command; true when the list was written.
    bool saveList(bool askForName, const QString& dialogTitle);

    StationEditLogic m_logic;
    std::unique_ptr<MediaPlayer> m_wmp;
    qint32 m_color = 0;
    qint32 m_lastChosenColor = 0;
    QToolBar* m_toolbar;
    KeyedListView* m_list;
    QLineEdit* m_name;
    QLineEdit* m_url;
    QCheckBox* m_visible;
    QCheckBox* m_bold;
    QPushButton* m_colorButton;
    ButtonEx* m_new;
    ButtonEx* m_save;
    ButtonEx* m_remove;
    ButtonEx* m_play;
    ButtonEx* m_stop;
    QLabel* m_status;
    QLabel* m_count;
};
