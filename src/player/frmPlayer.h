// The main window: the station list between a toolbar and a status bar, the
// hidden stream player, the icon animation, the product and tray menus and keys.
//
// The class is split by concern: frmPlayer.cpp (start-up, shut-down, layout),
// frmPlayerPlayback.cpp (playback and status), frmPlayerStationList.cpp (the
// station list's events) and frmPlayerCommands.cpp (toolbar, menus and keys).
#pragma once

#include "desktop/MediaPlayer2Host.h"
#include "dialogs/DialogHost.h"
#include "player/CommandTable.h"

#include <QIcon>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class KeyedListView;
class MediaPlayer;
class MprisService;
class PlayerStatusBar;
class QAction;
class QLabel;
class QMenu;
class QToolBar;
class SysTray;
class cMagneticWnd;

class frmPlayer : public QWidget, public DialogHost, public MediaPlayer2Host
{
    Q_OBJECT

public:
    // Builds the designed window and runs Form_Load; the caller shows it.
    explicit frmPlayer(QWidget* parent = nullptr);
    ~frmPlayer() override;

    // The one main window while it exists, reachable from the dialogs.
    static frmPlayer* instance();

    MediaPlayer& WMP() override { return *m_player; }
    KeyedListView* lstStations() const { return m_list; }
    PlayerStatusBar* statusBar() const { return m_statusBar; }
    QToolBar* sktToolBar() const { return m_toolBar; }
    QMenu* mnuSkyTuner() const { return m_productMenu; }
    QMenu* mnuSysTray() const { return m_trayMenu; }
    QAction* toolButton(const QString& key) const; // by key, "tb_play"
    QAction* menuItem(const QString& name) const;  // by name, "mnuSK_OnTop"
    QLabel* imgMiniBar() const { return m_miniBar; }
    const QTimer& tmrAnim() const { return m_animTimer; }
    QString SelectedKey() const { return m_selectedKey; }
    int AnimFrame() const { return m_animFrame; }
    // The window services: the tray icon (released at shut-down, then null) and snapping.
    SysTray* cTray() const { return m_cTray.get(); }
    cMagneticWnd* magneticWnd() const { return m_magnetic.get(); }
    // The desktop's media controls (MPRIS); the media keys use them too.
    MprisService* mpris() const { return m_mpris.get(); }

    // Playback and status.
    void PlaySelectedStation();
    void ClearStationStatus();
    void IconAnimation(bool iIsRunning);
    QString GetStateInfo(int state, int& rowIcon, int& panelIcon);
    void SoundOff();
    void SoundOn();
    void VolumeStep(int delta);

    // Applies the flags to the window; also run after the settings dialog.
    void ApplySettings() override;

    // What the dialogs act on (DialogHost).
    QWidget* dialogParent() override { return this; }
    void LoadStationList(const QString& path) override;
    VolumePanel volumePanel() override;
    void ShowVolume() override;

    // What the desktop's media controls act on (MediaPlayer2Host).
    QStringList StationKeys() const override;
    QString StationName(const QString& key) const override;
    void PlayStation(const QString& key) override;
    void PlayAddress(const QString& address) override;
    void Raise() override;
    void Quit() override;

    // Writes the window place and the settings as the shut-down does, the program
    // going on: the desktop session saves itself (a checkpoint, or a logout that
    // may still be cancelled). Nothing once the window has unloaded.
    void CommitSettings();

public Q_SLOTS:
    // The dialogs and the volume pop-up, each shown modally (the pop-up
    // modelessly); virtual so that tests can see which one a command opens.
    virtual void ShowOpenUrlDialog();
    virtual void ShowStationFilesDialog();
    virtual void ShowStationEditDialog();
    virtual void ShowSettingsDialog();
    virtual void ShowAboutDialog();
    virtual void ShowVolumePopup();

Q_SIGNALS:
    // The window icon changed (animation frame or resting icon); the tray follows it.
    void IconChanged(const QIcon& icon);
    // Shut-down is complete (settings written): the program ends with exit code 0.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and shut-down (frmPlayer.cpp).
    void CreateControls();
    void Form_Load();
    void LoadSettings();
    void InitControls();
    void LoadWindowPosition();
    void CheckForORXFiles();
    void Form_Resize();
    void Form_QueryUnload();
    void Form_Unload();
    void SaveWindowPosition();
    void SaveSettings();
    QSize frameMargins() const;

    // Playback and status (frmPlayerPlayback.cpp).
    void WMP_StatusChange();
    void tmrAnim_Timer();
    void ShowAnimFrame(int frame);
    void VolumeWheel(int angleDelta);

    // Station list (frmPlayerStationList.cpp).
    void ConnectStationList();
    void CopyStationAddress();

    // Toolbar, menus and keys (frmPlayerCommands.cpp).
    void CreateToolBar();
    void CreateMenus();
    void mnuSK_OnTop_Click();
    void OpenFavourites();
    void ShowProductMenu(const QPoint& globalPos);
    bool HandleKeyPress(QObject* receiver, QKeyEvent* event);
    void RunCommand(CommandTable::Command command);

    MediaPlayer* m_player = nullptr;
    KeyedListView* m_list = nullptr;
    PlayerStatusBar* m_statusBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QWidget* m_miniPlayer = nullptr; // cntMiniPlayer: hidden, holds imgMiniBar
    QLabel* m_miniBar = nullptr;
    QMenu* m_productMenu = nullptr;
    QMenu* m_trayMenu = nullptr;
    QTimer m_animTimer;
    QString m_selectedKey;
    int m_animFrame = 0;
    int m_wheelAngle = 0; // the part of a wheel turn not yet a volume step
    bool m_unloaded = false;
    std::unique_ptr<SysTray> m_cTray;
    std::unique_ptr<cMagneticWnd> m_magnetic;
    std::unique_ptr<MprisService> m_mpris;
    bool m_painted = false;
    std::optional<QSize> m_restoredOuterSize; // applied again once the frame is known
};
