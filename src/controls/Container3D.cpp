#include "controls/Container3D.h"

#include "controls/ControlError.h"
#include "controls/ControlInput.h"
#include "controls/ControlsAccessible.h"
#include "platform/CursorProbe.h"
#include "platform/GdiEdge.h"
#include "platform/OleColor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <utility>

namespace {

constexpr int MinimumSide = 8; // 120 twips

uint frameEdge(int effect)
{
    switch (effect) {
    case 2:
        return Gdi::EDGE_RAISED;
    case 3:
        return Gdi::EDGE_SUNKEN;
    case 4:
        return Gdi::EDGE_BUMP;
    case 5:
        return Gdi::EDGE_ETCHED;
    default:
        return 0;
    }
}

} // namespace

Container3D::Container3D(QWidget* parent)
    : QWidget(parent), m_backColor(OleColor::ButtonFace), m_tmrMouseEnter(new QTimer(this))
{
    ControlsAccessible::install();
    setMinimumSize(MinimumSide, MinimumSide);
    setMouseTracking(true);
    m_tmrMouseEnter->setInterval(50);
    connect(m_tmrMouseEnter, &QTimer::timeout, this, [this] {
        ControlError::contain([this] {
            checkMouseLeft();
            return true;
        });
    });
    resize(100, 100);
}

void Container3D::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
}

void Container3D::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
}

void Container3D::setCtrlEffect(int effect)
{
    if (effect < 0 || effect > 5)
        ControlError::raiseOutOfBounds(QStringLiteral("Container3D.CtrlEffect"));
    m_ctrlEffect = effect;
    redraw();
}

void Container3D::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

void Container3D::setAutoSize(int autoSize)
{
    if (autoSize < 0 || autoSize > 1)
        ControlError::raiseOutOfBounds(QStringLiteral("Container3D.AutoSize"));
    m_autoSize = autoSize;
    redraw();
}

void Container3D::setBackStyle(int style)
{
    m_backStyle = style;
    update();
}

void Container3D::readProperties(const PropertyBag& bag)
{
    setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    m_mouseIcon = bag.readPicture(QStringLiteral("MouseIcon"));
    m_mousePointer = bag.readInt(QStringLiteral("MousePointer"), 0);
    m_ctrlEffect = bag.readInt(QStringLiteral("CtrlEffect"), 1);
    m_backColor = bag.readColour(QStringLiteral("BackColor"), OleColor::ButtonFace);
    m_autoSize = bag.readInt(QStringLiteral("AutoSize"), 0);
    m_backStyle = bag.readInt(QStringLiteral("BackStyle"), 1);
    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
    redraw();
}

void Container3D::writeProperties(PropertyBag& bag) const
{
    bag.write(QStringLiteral("Enabled"), isEnabled(), true);
    bag.writePicture(QStringLiteral("MouseIcon"), m_mouseIcon);
    bag.write(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.write(QStringLiteral("CtrlEffect"), m_ctrlEffect, 1);
    bag.write(QStringLiteral("BackColor"), m_backColor, OleColor::ButtonFace);
    bag.write(QStringLiteral("AutoSize"), m_autoSize, 0);
    bag.write(QStringLiteral("BackStyle"), m_backStyle, 1);
}

int Container3D::frameWidth(int ctrlEffect)
{
    if (ctrlEffect == 1)
        return 1;
    return frameEdge(ctrlEffect) ? 2 : 0;
}

QRect Container3D::innerRect() const
{
    const int f = frameWidth(m_ctrlEffect);
    return rect().adjusted(f, f, -f, -f);
}

bool Container3D::isTrackingMouse() const
{
    return m_tmrMouseEnter->isActive();
}

void Container3D::redraw()
{
    fitSingleChild();
    update();
}

void Container3D::fitSingleChild()
{
    if (m_autoSize != 1)
        return;
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (children.size() == 1)
        children.first()->resize(innerRect().size());
}

bool Container3D::event(QEvent* event)
{
    return ControlError::contain([&] { return QWidget::event(event); });
}

void Container3D::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_backStyle != 0)
        painter.fillRect(rect(), OleColor::toColor(m_backColor));
    if (m_ctrlEffect == 1) {
        // Flat: one-pixel button-shadow lines along the edges.
        const QColor shadow = OleColor::toColor(OleColor::ButtonShadow);
        painter.fillRect(QRect(0, 0, width(), 1), shadow);
        painter.fillRect(QRect(0, height() - 1, width(), 1), shadow);
        painter.fillRect(QRect(0, 0, 1, height()), shadow);
        painter.fillRect(QRect(width() - 1, 0, 1, height()), shadow);
    } else if (const uint edge = frameEdge(m_ctrlEffect)) {
        Gdi::drawEdge(painter, rect(), edge, Gdi::BF_RECT);
    }
}

void Container3D::resizeEvent(QResizeEvent*)
{
    redraw();
}

bool Container3D::onOwnSurface(QPointF point) const
{
    // Moves over a child reach us only when the child ignores them.
    return childAt(point.toPoint()) == nullptr;
}

void Container3D::mousePressEvent(QMouseEvent*)
{
    m_pressedInside = true;
    Q_EMIT MouseDown();
}

void Container3D::mouseDoubleClickEvent(QMouseEvent*)
{
    // Qt delivers the second press of a double click as this event alone: it
    // raises DblClick, and its release no second Click.
    m_pressedInside = false;
    Q_EMIT DblClick();
}

void Container3D::mouseMoveEvent(QMouseEvent* event)
{
    if (!onOwnSurface(event->position()))
        return;
    if (!m_tmrMouseEnter->isActive() && !ControlInput::isLateMove(this, event)) {
        Q_EMIT MouseEnter();
        m_tmrMouseEnter->start();
    }
    const QPointF p = event->position();
    Q_EMIT MouseMove(ControlInput::buttons(event->buttons()),
                     ControlInput::shiftState(event->modifiers()), ControlInput::twips(p.x()),
                     ControlInput::twips(p.y()));
}

void Container3D::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = std::exchange(m_pressedInside, false) &&
                         rect().contains(event->position().toPoint()) &&
                         event->button() == Qt::LeftButton;
    Q_EMIT MouseUp();
    if (clicked)
        Q_EMIT Click();
}

void Container3D::checkMouseLeft()
{
    if (CursorProbe::widgetUnderCursor() != this) {
        m_tmrMouseEnter->stop();
        Q_EMIT MouseExit();
    }
}
