#include "controls/LumenButton.h"

#include "controls/ControlError.h"
#include "controls/ControlInput.h"
#include "controls/ControlsAccessible.h"
#include "controls/LumenLook.h"
#include "platform/CursorProbe.h"
#include "platform/OleColor.h"
#include "platform/ShellOpen.h"
#include "platform/WindowRegion.h"
#include "stream/gst/Sound.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <utility>

namespace {

constexpr int OverInterval = 10; // ms

bool insideClient(const QWidget* w, QPointF p)
{
    return p.x() >= 0 && p.y() >= 0 && p.x() < w->width() && p.y() < w->height();
}

} // namespace

LumenButton::LumenButton(QWidget* parent)
    : QWidget(parent), m_xpColorPressed(OleColor::Highlight3D), m_xpColorHover(OleColor::Light3D),
      m_backColor(OleColor::ButtonFace), m_foreColor(OleColor::ButtonText),
      m_soundOver(QStringLiteral(".\\resources\\over.wav")),
      m_soundClick(QStringLiteral(".\\resources\\click.wav")), m_overTimer(new QTimer(this))
{
    ControlsAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_overTimer->setInterval(OverInterval);
    connect(m_overTimer, &QTimer::timeout, this, [this] {
        ControlError::contain([this] {
            hoverTick();
            return true;
        });
    });
    resize(90, 28);
    applyCursor();
}

LumenButton::~LumenButton() = default;

QString LumenButton::version() const
{
    return QStringLiteral("1.0");
}

void LumenButton::setCaption(const QString& caption)
{
    m_caption = caption;
    updateAccessKey();
    update();
}

void LumenButton::updateAccessKey()
{
    const std::optional<QChar> key = LumenLook::accessKey(m_caption);
    m_accessKey = key.value_or(QChar());
    m_shortcutId = ControlInput::replaceAccessKey(this, m_shortcutId, key);
}

void LumenButton::setButtonStyle(int style)
{
    m_buttonStyle = style;
    if (style == 3)
        m_transparentBG = false; // the XP look paints its own body
    setAutoFillBackground(false);
    applyRegion();
    update();
}

void LumenButton::setTransparentBG(bool v)
{
    m_transparentBG = v;
    update();
}

void LumenButton::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    if (!picture.isNull()) {
        m_originalPicSizeW = picture.width();
        m_originalPicSizeH = picture.height();
    }
    setPictureSize(m_pictureSize);
    m_shown = pictureFor(m_hovering);
    update();
}

QPixmap LumenButton::pictureFor(bool hovering) const
{
    return hovering && !m_pictureHover.isNull() ? m_pictureHover : m_picture;
}

void LumenButton::setPictureSize(int mode)
{
    m_pictureSize = mode;
    if (mode == 0) {
        m_pictureWidth = m_originalPicSizeW;
        m_pictureHeight = m_originalPicSizeH;
    }
    update();
}

void LumenButton::setDisplayAsDefault(bool isDefault)
{
    m_isDefault = isDefault;
    update();
}

void LumenButton::previewLook(bool hovering, bool pressed)
{
    m_hovering = hovering;
    m_pressed = pressed;
    m_pressedLookSuspended = false;
    m_shown = pictureFor(hovering);
    update();
}

void LumenButton::setMousePointer(int v)
{
    m_mousePointer = v;
    applyCursor();
}

void LumenButton::setMouseIcon(const QPixmap& v)
{
    m_mouseIcon = v;
    applyCursor();
}

void LumenButton::setDefCurHand(bool v)
{
    m_defCurHand = v;
    applyCursor();
}

void LumenButton::applyCursor()
{
    if (m_defCurHand)
        setCursor(Qt::PointingHandCursor);
    else
        ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
}

void LumenButton::applyRegion()
{
    WindowRegion::apply(this,
                        m_buttonStyle == 3 ? WindowRegion::roundedCorners(size()) : QRegion());
}

void LumenButton::GoToURL()
{
    ShellOpen::openAddress(m_url);
}

void LumenButton::performClick()
{
    if (!isEnabled())
        return;
    Sound::play(m_soundClick);
    Q_EMIT Click();
    GoToURL();
}

void LumenButton::pressStep(short button, short shift, QPointF at)
{
    m_lastButton = button;
    m_lastShift = shift;
    m_lastPos = at;
    if (button != ControlInput::RightButton) {
        m_pressed = true;
        m_pressedLookSuspended = false;
        update();
    }
    Q_EMIT MouseDown(button, shift, ControlInput::twips(at.x()), ControlInput::twips(at.y()));
}

void LumenButton::releaseStep(short button, short shift, QPointF at)
{
    m_pressed = false;
    m_pressedLookSuspended = false;
    const bool endsDoubleClick = std::exchange(m_secondPress, false);
    if (button != ControlInput::RightButton) {
        update();
        if (insideClient(this, at) && !endsDoubleClick) {
            Sound::play(m_soundClick);
            Q_EMIT Click();
            GoToURL();
        }
    }
    Q_EMIT MouseUp(button, shift, ControlInput::twips(at.x()), ControlInput::twips(at.y()));
}

void LumenButton::mousePressEvent(QMouseEvent* event)
{
    pressStep(ControlInput::button(event->button()), ControlInput::shiftState(event->modifiers()),
              event->position());
}

void LumenButton::mouseDoubleClickEvent(QMouseEvent*)
{
    // Qt delivers the second press of a double click as this event: it presses
    // again with the last press's values, and its release plays no sound,
    // raises no Click and opens no address, so a double click acts once.
    m_secondPress = true;
    pressStep(m_lastButton, m_lastShift, m_lastPos);
}

void LumenButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    const short shift = ControlInput::shiftState(event->modifiers());
    if (insideClient(this, p) && !m_hovering && !ControlInput::isLateMove(this, event)) {
        m_overTimer->start();
        m_hovering = true;
        m_pressedLookSuspended = false;
        m_shown = pictureFor(true);
        Q_EMIT MouseIn(shift);
        update();
        Sound::play(m_soundOver);
    }
    Q_EMIT MouseMove(ControlInput::buttons(event->buttons()), shift, ControlInput::twips(p.x()),
                     ControlInput::twips(p.y()));
}

void LumenButton::mouseReleaseEvent(QMouseEvent* event)
{
    releaseStep(ControlInput::button(event->button()), ControlInput::shiftState(event->modifiers()),
                event->position());
}

void LumenButton::hoverTick()
{
    if (CursorProbe::widgetUnderCursor() == this)
        return;
    m_overTimer->stop();
    m_hovering = false;
    m_shown = pictureFor(false);
    Q_EMIT MouseOut(m_lastShift);
    // Still held: look released until the mouse comes back.
    if (m_pressed)
        m_pressedLookSuspended = true;
    update();
}

void LumenButton::keyPressEvent(QKeyEvent* event)
{
    const short code = ControlInput::keyCode(event);
    const short shift = ControlInput::shiftState(event->modifiers());
    if (code == 32 && !event->isAutoRepeat() && !m_keyHeld) {
        m_keyHeld = true;
        m_pressed = true;
        m_pressedLookSuspended = false;
        update();
    }
    Q_EMIT KeyDown(code, shift);
    if (const short ascii = ControlInput::keyAscii(event))
        Q_EMIT KeyPress(ascii);
}

void LumenButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return; // a held key repeats presses only
    const short code = ControlInput::keyCode(event);
    const short shift = ControlInput::shiftState(event->modifiers());
    if (code == 32 && m_keyHeld) {
        m_keyHeld = false;
        m_pressed = false;
        update();
        releaseStep(ControlInput::LeftButton, 0, QPointF(0, 0));
    }
    Q_EMIT KeyUp(code, shift);
}

bool LumenButton::event(QEvent* event)
{
    return ControlError::contain([&] {
        if (event->type() == QEvent::Shortcut) {
            if (isEnabled()) {
                Q_EMIT Click();
                GoToURL();
            }
            return true;
        }
        return QWidget::event(event);
    });
}

void LumenButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}

void LumenButton::resizeEvent(QResizeEvent*)
{
    applyRegion();
    update();
}

void LumenButton::focusInEvent(QFocusEvent*)
{
    m_focused = true;
    update();
}

void LumenButton::focusOutEvent(QFocusEvent*)
{
    m_focused = false;
    m_pressed = false;
    m_keyHeld = false;
    m_secondPress = false;
    update();
}
