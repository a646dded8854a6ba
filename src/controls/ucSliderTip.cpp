#include "controls/ucSliderTip.h"

#include "platform/OleColor.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>

namespace {

QPointer<ucSliderTip>& sharedTip()
{
    static QPointer<ucSliderTip> tip;
    return tip;
}

} // namespace

ucSliderTip* ucSliderTip::shared()
{
    if (!sharedTip())
        sharedTip() = new ucSliderTip;
    return sharedTip();
}

ucSliderTip* ucSliderTip::existing()
{
    return sharedTip();
}

void ucSliderTip::closeShared()
{
    delete sharedTip().data();
}

ucSliderTip::ucSliderTip()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_label(new QLabel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    m_label->setFont(font);
    m_label->setObjectName(QStringLiteral("lblTip"));
    m_label->setAttribute(Qt::WA_TranslucentBackground);
    m_label->setContentsMargins(0, 0, 0, 0);
    m_label->move(2, 1);
    m_label->resize(0, m_label->fontMetrics().height());
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    m_label->setPalette(palette);
}

void ucSliderTip::setText(const QString& text)
{
    m_label->setText(text);
    m_label->resize(m_label->fontMetrics().horizontalAdvance(text), m_label->height());
    m_label->update();
}

QString ucSliderTip::text() const
{
    return m_label->text();
}

QSize ucSliderTip::labelSize() const
{
    return m_label->size();
}

void ucSliderTip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // A light grey strip, slightly lighter at the top.
    QLinearGradient strip(0, 0, 0, height());
    strip.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
    strip.setColorAt(1, QColor(0xDC, 0xDC, 0xDC));
    painter.fillRect(rect(), strip);
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.setPen(OleColor::toColor(OleColor::Highlight3D));
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.setPen(OleColor::toColor(OleColor::DarkShadow3D));
    painter.drawLine(right, 0, right, bottom);
    painter.drawLine(0, bottom, right, bottom);
}
