#include "controls/z3DLine.h"

#include "platform/OleColor.h"

#include <QPainter>

namespace {
constexpr int Thickness = 2; // 30 twips: the two lines in adjacent pixels
}

z3DLine::z3DLine(QWidget* parent) : QWidget(parent)
{
    resize(100, Thickness);
}

void z3DLine::resizeEvent(QResizeEvent*)
{
    m_horizontal = horizontalFor(size());
    const QSize wanted = m_horizontal ? QSize(width(), Thickness) : QSize(Thickness, height());
    if (wanted != size())
        resize(wanted);
    update();
}

void z3DLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor shadow = OleColor::toColor(OleColor::ButtonShadow);
    const QColor highlight = OleColor::toColor(OleColor::Highlight3D);
    if (m_horizontal) {
        painter.fillRect(QRect(0, 0, width(), 1), shadow);
        painter.fillRect(QRect(0, 1, width(), 1), highlight);
    } else {
        painter.fillRect(QRect(0, 0, 1, height()), shadow);
        painter.fillRect(QRect(1, 0, 1, height()), highlight);
    }
}
