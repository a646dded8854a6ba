// MagneticWindowSystem for Qt top-level widgets. A window's handle is handleOf(widget):
// it names the widget without forcing a native window into being before it is shown.
//
// On X11 the window manager drives a drag and the program only sees the window's
// moves and resizes, often only the last one (openbox reports a move when the
// button is released). So a drag starts at any move or resize the window system
// reports for a shown, normal window; every move is a moving step (glued children
// follow at once); once no mouse button is held and the window has stayed still
// for a moment the drag ends: the window itself is put where the moving or sizing
// step says, and gluing is recomputed (a button held again before then carries
// the drag on). The program's own moves, and windows that
// are maximised, minimised or full screen, never snap.
#pragma once

#include "services/MagneticWindowSystem.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

class QtMagneticWindows : public QObject, public MagneticWindowSystem
{
    Q_OBJECT

public:
    QtMagneticWindows();
    ~QtMagneticWindows() override;

    WndRect workArea() const override;
    bool isWindow(WndHandle hWnd) const override;
    WndRect windowRect(WndHandle hWnd) const override;
    bool isMaximized(WndHandle hWnd) const override;
    QPoint cursorPos() const override;
    void deferMoves(const QList<DeferredMove>& moves) override;
    void hook(WndHandle hWnd, cMagneticWnd* owner) override;
    void unhook(WndHandle hWnd) override;

    static WndHandle handleOf(const QWidget* window) { return reinterpret_cast<WndHandle>(window); }

    // The sizing edge code (cMagneticWnd::Edge) of a change from before to after,
    // or 0 when the size did not change or the change is no single-corner resize.
    static int sizingEdge(const WndRect& before, const WndRect& after);

    // How long a released window must stay still before its drag ends.
    static constexpr int SettleMs = 150;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Hooked
    {
        QPointer<QWidget> widget;
        cMagneticWnd* owner = nullptr;
        WndRect lastKnown;
    };
    struct Session
    {
        WndHandle hWnd = 0;
        WndRect before; // the window's rectangle before the drag
        QPoint anchor;  // the cursor when the drag was noticed
        bool entering = false;
        bool released = false;
    };

    void geometryChanged(WndHandle hWnd, bool fromWindowSystem);
    void poll();
    void finish();
    void send(WndHandle hWnd, unsigned message, qintptr wParam = 0, WndRect* rect = nullptr);
    QWidget* widget(WndHandle hWnd) const;
    static QWidget* topLevel(WndHandle hWnd);

    QHash<WndHandle, Hooked> m_hooked;
    Session m_session;
    QTimer m_poll;
    QTimer m_settle;
};
