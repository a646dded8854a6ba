// The notification-area icon for one window (the tracked form): turns the icon's
// mouse messages into events, shows a popup menu, restores the form from the icon
// and, by TrayFormStyle, hides the form while it is minimised. A host watch adds
// the icon again when the notification area's host is replaced.
//
// Where no notification area exists, minimising never hides the form: it stays
// minimised normally, reachable from the task bar.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class NotificationIcon;
class QWidget;
class frmInternal;

class SysTray : public QObject
{
    Q_OBJECT

public:
    // TrayFormStyle bits.
    static constexpr int HideWhenMinimized = 1;
    static constexpr int IconOnlyWhileHidden = 2;

    explicit SysTray(QObject* parent = nullptr);
    // With another notification-area service (tests use one without a tray).
    explicit SysTray(std::unique_ptr<NotificationIcon> icon, QObject* parent = nullptr);
    ~SysTray() override;

    bool Persistent() const;
    void setPersistent(bool on);
    int RestoreFromTrayOn() const { return m_restoreFromTrayOn; }
    void setRestoreFromTrayOn(int bits) { m_restoreFromTrayOn = bits; }
    int TrayFormStyle() const { return m_trayFormStyle; }
    void setTrayFormStyle(int style);
    int PopupStyle() const { return m_popupStyle; }
    void setPopupStyle(int bits) { m_popupStyle = bits; }
    QIcon Icon() const { return m_iconPicture; }
    void setIcon(const QIcon& icon);
    bool Visible() const { return m_visible; }
    // Returns the value actually applied: with IconOnlyWhileHidden it is whether
    // the form is hidden, whatever was asked.
    bool setVisible(bool value);
    QWidget* Form() const;
    void setForm(QWidget* form);
    QMenu* PopupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    QString TrayTip() const { return m_trayTip; }
    void setTrayTip(const QString& tip);

    // Handles one message of the icon; message 512 carries the mouse message in lParam.
    int CallBack(quintptr hWnd, int message, qintptr wParam, qintptr lParam);
    void ShowAbout();
    void FormMinimize();
    void FormRestore();

    // One tick of the host watch (frmInternal's Timer1 while Persistent).
    void WatchTaskbar();

    // The tip as the notification area shows it: at most 63 characters.
    static QString shownTip(const QString& tip);

    NotificationIcon* notificationIcon() const { return m_icon.get(); }
    frmInternal* internalForm() const { return m_internal.get(); }

Q_SIGNALS:
    void MouseDown(int Button);
    void MouseUp(int Button);
    void MouseMove();
    void Click(int Button);
    void DblClick(int Button);
    void Minimize();
    void Restore();
    void Refreshed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddTrayIcon();
    void RemoveTrayIcon();
    void FormResized();
    void ShowPopupMenu();
    bool formMinimized() const;
    void track(QWidget* form);

    std::unique_ptr<frmInternal> m_internal;
    std::unique_ptr<NotificationIcon> m_icon;
    QPointer<QWidget> m_form;
    QPointer<QMenu> m_popupMenu;
    QIcon m_iconPicture;
    QString m_trayTip;
    QString m_taskbarHost;
    Qt::WindowStates m_lastWindowState = Qt::WindowNoState;
    int m_popupStyle = 2;
    int m_trayFormStyle = 0;
    int m_restoreFromTrayOn = 64;
    bool m_visible = false;
    bool m_hiddenByTray = false;
};
