#include "services/QtMagneticWindows.h"

#include "common/Logging.h"
#include "services/X11Native.h"
#include "services/cMagneticWnd.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace {

WndRect frameRect(const QWidget* w)
{
    return WndRect::fromQRect(w->frameGeometry());
}

constexpr Qt::WindowStates NoSnapStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

QtMagneticWindows::QtMagneticWindows()
{
    m_poll.setInterval(25);
    connect(&m_poll, &QTimer::timeout, this, &QtMagneticWindows::poll);
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &QtMagneticWindows::finish);
}

QtMagneticWindows::~QtMagneticWindows()
{
    for (const Hooked& h : std::as_const(m_hooked)) {
        if (h.widget)
            h.widget->removeEventFilter(this);
    }
}

WndRect QtMagneticWindows::workArea() const
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? WndRect::fromQRect(screen->availableGeometry()) : WndRect{};
}

bool QtMagneticWindows::isWindow(WndHandle hWnd) const
{
    return topLevel(hWnd) != nullptr;
}

WndRect QtMagneticWindows::windowRect(WndHandle hWnd) const
{
    // A dragged window starts from where it was before the drag.
    if (hWnd == m_session.hWnd)
        return m_session.before;
    const QWidget* w = widget(hWnd);
    return w ? frameRect(w) : WndRect{};
}

bool QtMagneticWindows::isMaximized(WndHandle hWnd) const
{
    const QWidget* w = widget(hWnd);
    return w && w->isMaximized();
}

QPoint QtMagneticWindows::cursorPos() const
{
    // The window manager places a dragged window from the pointer: the cursor of
    // a drag is the point that travels with the window from where the drag began.
    if (m_session.entering)
        return m_session.anchor;
    if (const QWidget* w = m_session.hWnd ? widget(m_session.hWnd) : nullptr)
        return m_session.anchor +
               (w->frameGeometry().topLeft() - m_session.before.toQRect().topLeft());
    return QCursor::pos();
}

void QtMagneticWindows::deferMoves(const QList<DeferredMove>& moves)
{
    for (const DeferredMove& m : moves) {
        if (QWidget* w = widget(m.hWnd)) {
            w->move(m.topLeft);
            if (m_hooked.contains(m.hWnd))
                m_hooked[m.hWnd].lastKnown = frameRect(w);
        }
    }
}

void QtMagneticWindows::hook(WndHandle hWnd, cMagneticWnd* owner)
{
    QWidget* w = topLevel(hWnd);
    if (!w)
        return;
    m_hooked.insert(hWnd, {w, owner, frameRect(w)});
    w->installEventFilter(this);
    connect(w, &QObject::destroyed, this, [this, hWnd] {
        const auto it = m_hooked.constFind(hWnd);
        if (it != m_hooked.cend() && it->owner)
            it->owner->RemoveWindow(hWnd);
    });
}

void QtMagneticWindows::unhook(WndHandle hWnd)
{
    const Hooked h = m_hooked.take(hWnd);
    if (h.widget) {
        h.widget->removeEventFilter(this);
        disconnect(h.widget, &QObject::destroyed, this, nullptr);
    }
    if (m_session.hWnd == hWnd) {
        m_session = {};
        m_poll.stop();
        m_settle.stop();
    }
}

int QtMagneticWindows::sizingEdge(const WndRect& before, const WndRect& after)
{
    if (before.width() == after.width() && before.height() == after.height())
        return 0;
    const bool left = before.left != after.left;
    const bool right = before.right != after.right;
    const bool top = before.top != after.top;
    const bool bottom = before.bottom != after.bottom;
    if ((left && right) || (top && bottom))
        return 0;
    if (top)
        return left ? cMagneticWnd::TopLeft : right ? cMagneticWnd::TopRight : cMagneticWnd::Top;
    if (bottom)
        return left    ? cMagneticWnd::BottomLeft
               : right ? cMagneticWnd::BottomRight
                       : cMagneticWnd::Bottom;
    return left ? cMagneticWnd::Left : cMagneticWnd::Right;
}

bool QtMagneticWindows::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !w->isWindow())
        return false;
    const WndHandle hWnd = handleOf(w);
    if (!m_hooked.contains(hWnd))
        return false;
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        geometryChanged(hWnd, event->spontaneous());
        break;
    case QEvent::WindowStateChange: {
        const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        if (w->isMinimized())
            send(hWnd, cMagneticWnd::WM_SYSCOMMAND, cMagneticWnd::SC_MINIMIZE);
        else if (old & Qt::WindowMinimized)
            send(hWnd, cMagneticWnd::WM_SYSCOMMAND, cMagneticWnd::SC_RESTORE);
        break;
    }
    default:
        break;
    }
    return false;
}

void QtMagneticWindows::geometryChanged(WndHandle hWnd, bool fromWindowSystem)
{
    QWidget* w = widget(hWnd);
    Hooked& hooked = m_hooked[hWnd];
    const WndRect now = frameRect(w);
    if (m_session.hWnd == hWnd) {
        if (m_session.released) {
            m_settle.start();
        } else if (now.width() == m_session.before.width() &&
                   now.height() == m_session.before.height()) {
            WndRect r = now;
            send(hWnd, cMagneticWnd::WM_MOVING, 0, &r); // glued children follow at once
        }
        return;
    }
    const bool dragged = fromWindowSystem && m_session.hWnd == 0 && X11Native::available() &&
                         w->isVisible() && !(w->windowState() & NoSnapStates) &&
                         !(now == hooked.lastKnown);
    if (!dragged) {
        hooked.lastKnown = now;
        return;
    }
    qCDebug(lcServices) << "drag of" << hWnd << "from" << hooked.lastKnown.toQRect();
    m_session.hWnd = hWnd;
    m_session.before = hooked.lastKnown;
    m_session.anchor = QCursor::pos();
    m_session.released = false;
    m_session.entering = true;
    send(hWnd, cMagneticWnd::WM_ENTERSIZEMOVE);
    m_session.entering = false;
    m_poll.start();
    geometryChanged(hWnd, fromWindowSystem);
}

void QtMagneticWindows::poll()
{
    if (m_session.released || X11Native::pointerButtonsDown())
        return;
    m_session.released = true;
    m_poll.stop();
    m_settle.start();
}

void QtMagneticWindows::finish()
{
    const WndHandle hWnd = m_session.hWnd;
    QWidget* w = widget(hWnd);
    if (!w) {
        m_session = {};
        return;
    }
    // A button pressed again before the window settled (a drag begun right after
    // a move the program made) carries the drag on: snapping now would put the
    // window where the window manager, still dragging, moves it away from.
    if (X11Native::pointerButtonsDown()) {
        m_session.released = false;
        m_poll.start();
        return;
    }
    const WndRect now = frameRect(w);
    WndRect r = now;
    qCDebug(lcServices) << "drag of" << hWnd << "ends at" << now.toQRect();
    const int edge = sizingEdge(m_session.before, now);
    if (edge != 0)
        send(hWnd, cMagneticWnd::WM_SIZING, edge, &r);
    else if (!(now == m_session.before))
        send(hWnd, cMagneticWnd::WM_MOVING, 0, &r);
    m_session = {};
    qCDebug(lcServices) << "snapped to" << r.toQRect();
    if (!(r == now)) {
        if (edge == 0) {
            w->move(r.left, r.top);
        } else {
            const QRect frame = w->frameGeometry();
            const QRect inner = w->geometry();
            w->setGeometry(r.left + (inner.left() - frame.left()),
                           r.top + (inner.top() - frame.top()),
                           r.width() - (frame.width() - inner.width()),
                           r.height() - (frame.height() - inner.height()));
        }
    }
    m_hooked[hWnd].lastKnown = r;
    send(hWnd, cMagneticWnd::WM_EXITSIZEMOVE);
}

void QtMagneticWindows::send(WndHandle hWnd, unsigned message, qintptr wParam, WndRect* rect)
{
    const auto it = m_hooked.constFind(hWnd);
    if (it == m_hooked.cend() || !it->owner)
        return;
    bool handled = false;
    qintptr result = 0;
    const bool before = message == cMagneticWnd::WM_MOVING || message == cMagneticWnd::WM_SIZING;
    it->owner->zSubclass_Proc(before, handled, result, hWnd, message, wParam,
                              reinterpret_cast<qintptr>(rect));
}

QWidget* QtMagneticWindows::widget(WndHandle hWnd) const
{
    // A window being registered is measured before it is hooked.
    const auto it = m_hooked.constFind(hWnd);
    return it != m_hooked.cend() ? it->widget.data() : topLevel(hWnd);
}

QWidget* QtMagneticWindows::topLevel(WndHandle hWnd)
{
    // Only a live top-level widget is a window; a stale handle names none.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (handleOf(w) == hWnd && w->isWindow())
            return w;
    }
    return nullptr;
}
