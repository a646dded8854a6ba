#include "controls/ucSlider.h"

#include "controls/ControlError.h"
#include "controls/ControlInput.h"
#include "controls/ControlsAccessible.h"
#include "controls/Rounding.h"
#include "controls/SliderGeometry.h"
#include "controls/ucSliderTip.h"
#include "platform/GdiEdge.h"
#include "platform/OleColor.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>

#include <algorithm>

using namespace SliderGeometry;
using Rounding::halve;

namespace {

// The edge of each drawn rail style; styles without one draw no groove.
uint railEdge(int style)
{
    switch (style) {
    case 0:
        return Gdi::EDGE_SUNKEN;
    case 1:
        return Gdi::EDGE_RAISED;
    case 2:
        return Gdi::BDR_SUNKENOUTER;
    case 3:
        return Gdi::BDR_RAISEDINNER;
    default:
        return 0;
    }
}

} // namespace

ucSlider::ucSlider(QWidget* parent) : QWidget(parent), m_backColor(OleColor::ButtonFace)
{
    ControlsAccessible::install();
    resize(DefaultThumb.width(), 100);
    relayout();
}

ucSlider::~ucSlider()
{
    closeTip();
}

QSize ucSlider::thumbSize() const
{
    return m_sliderImage.isNull() ? DefaultThumb : m_sliderImage.size();
}

QSize ucSlider::sizeHint() const
{
    return size();
}

void ucSlider::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

void ucSlider::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
}

void ucSlider::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
}

void ucSlider::setMax(int max)
{
    if (max <= m_min)
        ControlError::raiseInvalidValue(QStringLiteral("ucSlider.Max"));
    m_max = max;
    // The value stays; its thumb moves to where the new range puts it.
    placeThumbForValue();
}

void ucSlider::setMin(int min)
{
    if (min >= m_max)
        ControlError::raiseInvalidValue(QStringLiteral("ucSlider.Min"));
    m_min = min;
    setValue(m_min);
    placeThumbForValue();
}

void ucSlider::setValue(int value)
{
    if (value < m_min || value > m_max)
        ControlError::raiseInvalidValue(QStringLiteral("ucSlider.Value"));
    m_value = value;
    if (value == m_lastNotified)
        return;
    if (!m_dragging)
        placeAlong(value);
    update();
    if (m_dragging && m_showValueTip)
        showTip();
    m_lastNotified = value;
    QAccessibleValueChangeEvent moved(this, value); // screen readers say the new value
    QAccessible::updateAccessibility(&moved);
    Q_EMIT Change();
    if (value == m_max)
        Q_EMIT ArrivedLast();
    if (value == m_min)
        Q_EMIT ArrivedFirst();
}

void ucSlider::setOrientation(int orientation)
{
    m_orientation = orientation;
    relayout();
}

void ucSlider::setRailStyle(int style)
{
    m_railStyle = style;
    relayout();
}

void ucSlider::setSliderImage(const QPixmap& picture)
{
    m_sliderImage = picture;
    relayout();
}

void ucSlider::setRailImage(const QPixmap& picture)
{
    m_railImage = picture;
    relayout();
}

void ucSlider::readProperties(const PropertyBag& bag)
{
    m_backColor = bag.readColour(QStringLiteral("BackColor"), OleColor::ButtonFace);
    m_mousePointer = bag.readInt(QStringLiteral("MousePointer"), 0);
    m_mouseIcon = bag.readPicture(QStringLiteral("MouseIcon"));
    setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    m_orientation = bag.readInt(QStringLiteral("Orientation"), 1);
    m_railStyle = bag.readInt(QStringLiteral("RailStyle"), 0);
    m_showValueTip = bag.readBool(QStringLiteral("ShowValueTip"), true);
    m_min = bag.readInt(QStringLiteral("Min"), 0);
    m_max = bag.readInt(QStringLiteral("Max"), 10);
    m_value = bag.readInt(QStringLiteral("Value"), 0);
    m_sliderImage = bag.readPicture(QStringLiteral("SliderImage"));
    m_railImage = bag.readPicture(QStringLiteral("RailImage"));
    m_lastNotified = m_value;
    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
    relayout();
}

void ucSlider::writeProperties(PropertyBag& bag) const
{
    bag.write(QStringLiteral("BackColor"), m_backColor, OleColor::ButtonFace);
    bag.write(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.writePicture(QStringLiteral("MouseIcon"), m_mouseIcon);
    bag.write(QStringLiteral("Enabled"), isEnabled(), true);
    bag.write(QStringLiteral("Orientation"), m_orientation, 1);
    bag.write(QStringLiteral("RailStyle"), m_railStyle, 0);
    bag.write(QStringLiteral("ShowValueTip"), m_showValueTip, true);
    bag.write(QStringLiteral("Min"), m_min, 0);
    bag.write(QStringLiteral("Max"), m_max, 10);
    bag.write(QStringLiteral("Value"), m_value, 0);
    bag.writePicture(QStringLiteral("SliderImage"), m_sliderImage);
    bag.writePicture(QStringLiteral("RailImage"), m_railImage);
}

void ucSlider::relayout()
{
    const QSize rail = m_railImage.isNull() ? QSize() : m_railImage.size();
    const Layout l = SliderGeometry::layout(
        {m_orientation, m_railStyle, thumbSize(), rail, size(), m_value, m_min, range()});
    m_thumb = l.thumb;
    m_groove = l.groove;
    if (l.control != size())
        resize(l.control); // lays out again from the resize event
    update();
}

void ucSlider::placeThumbForValue()
{
    if (m_dragging)
        return;
    relayout();
}

void ucSlider::resizeEvent(QResizeEvent*)
{
    relayout();
}

bool ucSlider::event(QEvent* event)
{
    return ControlError::contain([&] { return QWidget::event(event); });
}

void ucSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), OleColor::toColor(m_backColor));
    paintRail(painter);
    paintThumb(painter);
}

void ucSlider::paintRail(QPainter& painter)
{
    if (m_railStyle == RailImageStyle) {
        if (!m_railImage.isNull())
            painter.drawPixmap(railPicturePosition(m_orientation, size(), m_railImage.size()),
                               m_railImage);
        return;
    }
    if (const uint edge = railEdge(m_railStyle))
        Gdi::drawEdge(painter, m_groove, edge, Gdi::BF_RECT);
}

void ucSlider::paintThumb(QPainter& painter)
{
    if (!m_sliderImage.isNull()) {
        painter.drawPixmap(thumbRect(m_thumb, m_sliderImage.size()).topLeft(), m_sliderImage);
        return;
    }
    const QRect box = thumbRect(m_thumb, DefaultThumb);
    painter.fillRect(box.adjusted(0, 0, -1, -1), OleColor::toColor(OleColor::ButtonFace));
    Gdi::drawEdge(painter, box, Gdi::EDGE_RAISED, Gdi::BF_RECT);
}

void ucSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    const QPointF p = event->position();
    const QSize t = thumbSize();
    const bool onThumb = p.x() >= m_thumb.x() && p.x() <= m_thumb.x() + t.width() &&
                         p.y() >= m_thumb.y() && p.y() <= m_thumb.y() + t.height();
    if (onThumb) {
        m_grab = p - m_thumb;
    } else {
        // The thumb's centre jumps to the press.
        m_grab = QPointF(halve(t.width()), halve(t.height()));
        dragTo(p);
    }
    if (m_showValueTip)
        showTip();
    Q_EMIT MouseDown(ControlInput::shiftState(event->modifiers()));
}

void ucSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        dragTo(event->position());
}

void ucSlider::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    // The drag ends even when a host's handler fails.
    const auto end = qScopeGuard([this] {
        m_dragging = false;
        closeTip();
    });
    if (event->button() == Qt::LeftButton && p.x() >= 0 && p.x() < width() && p.y() >= 0 &&
        p.y() < height())
        Q_EMIT Click();
    if (m_dragging)
        Q_EMIT MouseUp(ControlInput::shiftState(event->modifiers()));
}

int ucSlider::travel() const
{
    const QSize t = thumbSize();
    return m_orientation == Horizontal ? width() - t.width() : height() - t.height();
}

void ucSlider::placeAlong(int value)
{
    const double at = valueToPosition(m_orientation, travel(), value, m_min, range());
    (m_orientation == Horizontal ? m_thumb.rx() : m_thumb.ry()) = at;
}

void ucSlider::dragTo(QPointF point)
{
    const bool horizontal = m_orientation == Horizontal;
    const int travel = this->travel();
    double position = horizontal ? point.x() - m_grab.x() : point.y() - m_grab.y();
    position = std::clamp(position, 0.0, double(std::max(travel, 0)));
    (horizontal ? m_thumb.rx() : m_thumb.ry()) = position;
    const std::optional<int> value =
        positionToValue(m_orientation, position, travel, m_min, range());
    if (!value)
        return; // a thumb filling the control has nowhere to go
    const int v = std::clamp(*value, m_min, m_max);
    // The thumb snaps back to its value's exact place: it moves in whole steps.
    placeAlong(v);
    setValue(v);
}

void ucSlider::showTip()
{
    ucSliderTip* tip = ucSliderTip::shared();
    tip->setText(QString::number(m_value));
    const QSize label = tip->labelSize();
    const QPoint at =
        tipPosition(m_orientation, mapToGlobal(QPoint(0, 0)), m_thumb, thumbSize(), label);
    tip->setGeometry(at.x(), at.y(), label.width() + 4, label.height() + 3);
    tip->show();
    tip->raise();
}

void ucSlider::closeTip()
{
    ucSliderTip::closeShared();
}
