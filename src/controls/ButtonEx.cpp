#include "controls/ButtonEx.h"

#include "controls/ButtonExLayout.h"
#include "controls/ControlError.h"
#include "controls/ControlInput.h"
#include "controls/ControlsAccessible.h"
#include "platform/CursorProbe.h"
#include "platform/OleColor.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

using namespace ButtonExLayout;

namespace {

constexpr int HoverInterval = 1; // ms

} // namespace

ButtonEx::ButtonEx(QWidget* parent)
    : QWidget(parent), m_backColor(OleColor::ButtonFace), m_foreColor(OleColor::ButtonText),
      m_highlightColor(OleColor::ButtonText), m_hoverTimer(new QTimer(this))
{
    ControlsAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_hoverTimer->setInterval(HoverInterval);
    connect(m_hoverTimer, &QTimer::timeout, this, [this] {
        ControlError::contain([this] {
            hoverTick();
            return true;
        });
    });
    resize(80, 24); // 1200 x 360 twips
    setCaption(QStringLiteral("ButtonEx1"));
}

void ButtonEx::setCaption(const QString& caption)
{
    const bool renamed = caption != m_caption && accessibleName().isEmpty();
    m_caption = caption;
    updateAccessKey();
    changed();
    if (renamed)
        ControlsAccessible::announceName(this); // the caption is the name
}

void ButtonEx::setValue(int v)
{
    storeValue(v);
    changed();
}

void ButtonEx::storeValue(int value)
{
    const bool flips = m_style == 1 && (value == 0) != (m_value == 0);
    m_value = value;
    if (flips)
        ControlsAccessible::announceChecked(this);
}

void ButtonEx::updateAccessKey()
{
    // A caption without a marker takes the old key away, so that no key
    // triggers a button whose caption does not show it.
    m_shortcutId = ControlInput::replaceAccessKey(this, m_shortcutId, accessKey(m_caption));
}

void ButtonEx::setMouseIcon(const QPixmap& v)
{
    m_mouseIcon = v;
    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
}

void ButtonEx::setMousePointer(int v)
{
    m_mousePointer = v;
    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
}

void ButtonEx::setDisplayAsDefault(bool isDefault)
{
    m_focusedOrDefault = isDefault;
    drawState(m_state);
}

void ButtonEx::performClick()
{
    if (m_style == 1)
        storeValue(m_value == 0 ? 1 : 0);
    drawState(Up);
    Q_EMIT Click();
}

void ButtonEx::ClearHighlight()
{
    drawState(m_state);
}

void ButtonEx::DrawHighlight()
{
    m_highlightRect = true;
    update();
}

bool ButtonEx::isHoverTimerActive() const
{
    return m_hoverTimer->isActive();
}

bool ButtonEx::isSkinned() const
{
    return !m_skinUp.isNull() && m_appearance == 2;
}

QPixmap ButtonEx::shownSkin() const
{
    if (!isSkinned())
        return {};
    switch (skinState(m_state, isEnabled(), m_focusedOrDefault)) {
    case Down:
        if (!m_skinDown.isNull())
            return m_skinDown;
        break;
    case Over:
        if (!m_skinOver.isNull())
            return m_skinOver;
        break;
    case Disabled:
        if (!m_skinDisabled.isNull())
            return m_skinDisabled;
        break;
    case Focus:
        if (!m_skinFocus.isNull())
            return m_skinFocus;
        break;
    default:
        break;
    }
    return m_skinUp;
}

void ButtonEx::drawState(int state)
{
    // Outside the button a held button does not look pressed.
    if (m_lastEnterExit == LastEvent::Exit && state == Down)
        return;
    m_highlightRect = false;
    m_state = resolveState(state, m_style, m_value);
    const QPixmap skin = shownSkin();
    if (!skin.isNull()) {
        // The skin shapes the button and sets its size.
        const QBitmap mask =
            skin.createMaskFromColor(OleColor::toColor(m_transparentColor), Qt::MaskInColor);
        setMask(mask);
        if (skin.size() != size())
            resize(skin.size());
    } else {
        clearMask();
    }
    update();
}

void ButtonEx::dispatchEnterExit(bool enter)
{
    const LastEvent event = enter ? LastEvent::Enter : LastEvent::Exit;
    if (m_lastEnterExit == event)
        return;
    m_lastEnterExit = event;
    if (enter)
        Q_EMIT MouseEnter();
    else
        Q_EMIT MouseExit();
}

void ButtonEx::hoverTick()
{
    const QPoint p = CursorProbe::posIn(this);
    // The edges themselves count as inside.
    const bool outside = p.x() < 0 || p.y() < 0 || p.x() > width() || p.y() > height();
    if (outside) {
        m_hoverTimer->stop();
        dispatchEnterExit(false);
        if (m_state != Up)
            drawState(Up);
        m_mouseLeft = true;
    } else if (m_mouseLeft) {
        drawState(Down);
    }
}

void ButtonEx::mousePressEvent(QMouseEvent* event)
{
    press(event, true);
}

void ButtonEx::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt delivers the second press of a double click as this event: it looks
    // pressed and raises MouseDown, but neither toggles nor clicks again.
    press(event, false);
}

void ButtonEx::press(QMouseEvent* event, bool acts)
{
    m_mouseLeft = false;
    const short button = ControlInput::button(event->button());
    if (button == ControlInput::LeftButton) {
        m_pressedInside = acts;
        if (acts)
            storeValue(m_state == Down ? 1 : 0);
        drawState(Down);
    }
    const QPointF p = event->position();
    Q_EMIT MouseDown(button, ControlInput::shiftState(event->modifiers()),
                     ControlInput::twips(p.x()), ControlInput::twips(p.y()));
}

void ButtonEx::mouseMoveEvent(QMouseEvent* event)
{
    const short buttons = ControlInput::buttons(event->buttons());
    const QPointF p = event->position();
    if (ControlInput::isLateMove(this, event)) {
        Q_EMIT MouseMove(buttons, ControlInput::shiftState(event->modifiers()),
                         ControlInput::twips(p.x()), ControlInput::twips(p.y()));
        return;
    }
    m_mouseLeft = false;
    if (!m_hoverTimer->isActive()) {
        m_hoverTimer->start(); // the first move only starts the tracking
    } else if (buttons == ControlInput::LeftButton) {
        if (m_state != Down)
            drawState(Down);
    } else if (buttons == 0 && m_state != Over) {
        drawState(Over);
    }
    if (p.x() >= 0 && p.y() >= 0 && p.x() < width() && p.y() < height())
        dispatchEnterExit(true);
    Q_EMIT MouseMove(buttons, ControlInput::shiftState(event->modifiers()),
                     ControlInput::twips(p.x()), ControlInput::twips(p.y()));
}

void ButtonEx::mouseReleaseEvent(QMouseEvent* event)
{
    m_mouseLeft = false;
    const short button = ControlInput::button(event->button());
    if (button == ControlInput::LeftButton)
        drawState(Up);
    const QPointF p = event->position();
    Q_EMIT MouseUp(button, ControlInput::shiftState(event->modifiers()), ControlInput::twips(p.x()),
                   ControlInput::twips(p.y()));
    // The surface's click: a left press and release on the button.
    const bool inside = rect().contains(p.toPoint());
    if (button == ControlInput::LeftButton && m_pressedInside && inside)
        Q_EMIT Click();
    if (button == ControlInput::LeftButton)
        m_pressedInside = false;
}

void ButtonEx::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT KeyDown(ControlInput::keyCode(event), ControlInput::shiftState(event->modifiers()));
    if (const short ascii = ControlInput::keyAscii(event))
        Q_EMIT KeyPress(ascii);
}

void ButtonEx::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        Q_EMIT KeyUp(ControlInput::keyCode(event), ControlInput::shiftState(event->modifiers()));
}

bool ButtonEx::event(QEvent* event)
{
    return ControlError::contain([&] {
        if (event->type() == QEvent::Shortcut) {
            Q_EMIT Click(); // the access key
            return true;
        }
        return QWidget::event(event);
    });
}

void ButtonEx::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        drawState(m_state);
    QWidget::changeEvent(event);
}

void ButtonEx::resizeEvent(QResizeEvent*)
{
    drawState(Up);
    Q_EMIT Resize();
}

void ButtonEx::focusInEvent(QFocusEvent*)
{
    m_focusedOrDefault = true;
    drawState(m_state);
}

void ButtonEx::focusOutEvent(QFocusEvent*)
{
    m_focusedOrDefault = false;
    drawState(m_state);
}
