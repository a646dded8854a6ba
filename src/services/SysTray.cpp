#include "services/SysTray.h"

#include "common/Logging.h"
#include "services/QtNotificationIcon.h"
#include "services/TrayMouseMessages.h"
#include "services/X11Native.h"
#include "services/frmInternal.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QTimer>

SysTray::SysTray(QObject* parent) : SysTray(std::make_unique<QtNotificationIcon>(), parent) {}

SysTray::SysTray(std::unique_ptr<NotificationIcon> icon, QObject* parent)
    : QObject(parent), m_internal(std::make_unique<frmInternal>()), m_icon(std::move(icon))
{
    m_taskbarHost = m_icon->hostId();
    track(m_internal.get());
    connect(m_internal->Timer1, &QTimer::timeout, this, &SysTray::WatchTaskbar);
    m_iconPicture = m_internal->windowIcon();
    m_popupStyle = 2;
    m_popupMenu = m_internal->mPopup;
    connect(m_icon.get(), &NotificationIcon::mouseMessage, this,
            [this](int message) { CallBack(0, TrayMouse::CallbackMessage, 0, message); });
    m_restoreFromTrayOn = 64;
}

SysTray::~SysTray()
{
    RemoveTrayIcon();
    if (m_form)
        m_form->removeEventFilter(this);
}

bool SysTray::Persistent() const
{
    return m_internal->Timer1->isActive();
}

void SysTray::setPersistent(bool on)
{
    m_internal->Timer1->setInterval(1000);
    if (on)
        m_internal->Timer1->start();
    else
        m_internal->Timer1->stop();
}

void SysTray::setTrayFormStyle(int style)
{
    m_trayFormStyle = style;
    if ((style & IconOnlyWhileHidden) && Form()->isVisible())
        RemoveTrayIcon();
}

void SysTray::setIcon(const QIcon& icon)
{
    // The animation hands the same frames again and again: only a change reaches the tray.
    if (icon.cacheKey() == m_iconPicture.cacheKey())
        return;
    m_iconPicture = icon;
    if (m_visible)
        m_icon->modifyIcon(icon);
}

bool SysTray::setVisible(bool value)
{
    if (m_trayFormStyle & IconOnlyWhileHidden)
        value = !Form()->isVisible();
    if (value != m_visible) {
        if (value)
            AddTrayIcon();
        else
            RemoveTrayIcon();
    }
    return value;
}

QWidget* SysTray::Form() const
{
    return m_form ? m_form.data() : m_internal.get();
}

void SysTray::setForm(QWidget* form)
{
    QWidget* target = form ? form : m_internal.get();
    if (target == Form())
        return;
    track(target);
    m_popupMenu = nullptr;
    m_lastWindowState =
        target->isMinimized() ? Qt::WindowNoState : target->windowState() & ~Qt::WindowActive;
}

void SysTray::setTrayTip(const QString& tip)
{
    m_trayTip = tip;
    if (m_visible)
        m_icon->modifyTip(shownTip(tip));
}

QString SysTray::shownTip(const QString& tip)
{
    // The notification record holds 64 characters, the last always a terminator.
    constexpr int Shown = 63;
    if (tip.size() <= Shown)
        return tip;
    // Never leave half of a surrogate pair at the end.
    return tip.left(tip.at(Shown - 1).isHighSurrogate() ? Shown - 1 : Shown);
}

int SysTray::CallBack(quintptr hWnd, int message, qintptr wParam, qintptr lParam)
{
    Q_UNUSED(hWnd)
    Q_UNUSED(wParam)
    if (message != TrayMouse::CallbackMessage)
        return 0;
    if (!m_popupMenu)
        m_popupStyle = 0;
    const auto action = TrayMouse::action(int(lParam));
    if (!action)
        return 0;
    if (action->kind == TrayMouse::Kind::Move) {
        Q_EMIT MouseMove();
        return 0;
    }
    if (formMinimized() && (m_restoreFromTrayOn & action->bit))
        FormRestore();
    const bool popup = (m_popupStyle & action->bit) != 0;
    switch (action->kind) {
    case TrayMouse::Kind::Down:
        Q_EMIT MouseDown(action->button);
        break;
    case TrayMouse::Kind::Up:
        Q_EMIT MouseUp(action->button);
        Q_EMIT Click(action->button);
        break;
    case TrayMouse::Kind::DoubleClick:
        // The left double click shows the menu before its event.
        if (popup && action->message == TrayMouse::LeftDoubleClick) {
            ShowPopupMenu();
            Q_EMIT DblClick(action->button);
            return 0;
        }
        Q_EMIT DblClick(action->button);
        break;
    case TrayMouse::Kind::Move:
        break;
    }
    if (popup)
        ShowPopupMenu();
    return 0;
}

void SysTray::ShowAbout()
{
    m_internal->show();
    m_internal->raise();
    m_internal->activateWindow();
}

void SysTray::FormMinimize()
{
    QWidget* form = Form();
    if (!formMinimized())
        form->setWindowState((form->windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
    // Hidden without a notification area, the form could not be reached again.
    if ((m_trayFormStyle & HideWhenMinimized) && !m_icon->hostId().isEmpty()) {
        form->hide();
        m_hiddenByTray = true;
    }
    if ((m_trayFormStyle & IconOnlyWhileHidden) && !m_visible)
        AddTrayIcon();
    Q_EMIT Minimize();
}

void SysTray::FormRestore()
{
    QWidget* form = Form();
    if (formMinimized()) {
        if (m_lastWindowState & Qt::WindowMinimized)
            m_lastWindowState = Qt::WindowNoState;
        // Hidden while minimised, its hints still ask for an icon: the window
        // manager could minimise it again as it comes back.
        if (!form->isVisible())
            X11Native::setNormalInitialState(form->internalWinId());
        form->setWindowState(m_lastWindowState);
        if (!form->isVisible())
            form->show();
    }
    m_hiddenByTray = false;
    form->raise();
    form->activateWindow();
    if ((m_trayFormStyle & IconOnlyWhileHidden) && m_visible)
        RemoveTrayIcon();
    Q_EMIT Restore();
}

void SysTray::WatchTaskbar()
{
    const QString host = m_icon->hostId();
    if (host != m_taskbarHost)
        qCDebug(lcServices) << "notification area host" << m_taskbarHost << "->" << host;
    if (host != m_taskbarHost && !host.isEmpty() && m_visible) {
        RemoveTrayIcon();
        AddTrayIcon();
        Q_EMIT Refreshed();
    }
    // A form hidden in a notification area that went away comes back minimised.
    QWidget* form = Form();
    if (host.isEmpty() && m_hiddenByTray && !form->isVisible() && formMinimized())
        form->show();
    if (host.isEmpty())
        m_hiddenByTray = false;
    m_taskbarHost = host;
}

bool SysTray::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_form)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::WindowStateChange) {
        FormResized();
    } else if (event->type() == QEvent::Show && formMinimized()) {
        // A form first shown minimised goes where minimising takes it, once the
        // show has finished.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (formMinimized() && Form()->isVisible())
                    FormMinimize();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void SysTray::AddTrayIcon()
{
    m_icon->add(m_iconPicture, shownTip(m_trayTip));
    m_visible = true;
}

void SysTray::RemoveTrayIcon()
{
    if (!m_visible)
        return;
    m_icon->remove();
    m_visible = false;
}

void SysTray::FormResized()
{
    QWidget* form = Form();
    if (!formMinimized()) {
        if (!form->isVisible())
            form->show();
        m_hiddenByTray = false;
        m_lastWindowState = form->windowState() & ~Qt::WindowActive;
    } else {
        FormMinimize();
    }
}

void SysTray::ShowPopupMenu()
{
    if (m_popupMenu)
        m_popupMenu->popup(QCursor::pos());
}

bool SysTray::formMinimized() const
{
    return Form()->isMinimized();
}

void SysTray::track(QWidget* form)
{
    if (m_form) {
        m_form->removeEventFilter(this);
        disconnect(m_form, &QObject::destroyed, this, nullptr);
    }
    m_form = form;
    form->installEventFilter(this);
    // A tracked form that goes away leaves the hidden form in its place.
    if (form != m_internal.get())
        connect(form, &QObject::destroyed, this, [this] { track(m_internal.get()); });
}
