// A slider that picks a whole number between Min and Max by dragging a thumb
// along a rail, with a tip window showing the value while dragging.
//
// The rail is a 4-pixel groove drawn with an edge, or a rail picture; the thumb
// a raised box of 16 x 15 pixels, or a thumb picture.
// The control's thickness follows the thumb (or the rail picture); its length
// is the host's. Setters of Min, Max and Value throw ControlError 380 for
// invalid values and then change nothing; setting Min also sets Value to it,
// with the events of a change. Change, then ArrivedLast at Max, then
// ArrivedFirst at Min, are raised only when the value differs from the last
// one raised. No keyboard handling, no focus.
#pragma once

#include "controls/PropertyBag.h"

#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QWidget>

class ucSlider : public QWidget
{
    Q_OBJECT

public:
    // RailStyle: 0 sunken edge, 1 raised edge, 2 thin sunken, 3 thin raised,
    // 4 no edge, 99 the rail picture.
    explicit ucSlider(QWidget* parent = nullptr);
    ~ucSlider() override;

    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    int Max() const { return m_max; }
    void setMax(int max);
    int Min() const { return m_min; }
    void setMin(int min);
    int Value() const { return m_value; }
    void setValue(int value);
    int Orientation() const { return m_orientation; }
    void setOrientation(int orientation);
    int RailStyle() const { return m_railStyle; }
    void setRailStyle(int style);
    QPixmap SliderImage() const { return m_sliderImage; }
    void setSliderImage(const QPixmap& picture);
    QPixmap RailImage() const { return m_railImage; }
    void setRailImage(const QPixmap& picture);
    bool ShowValueTip() const { return m_showValueTip; }
    void setShowValueTip(bool show) { m_showValueTip = show; }

    // Design-time properties: saved values are read without the setters' checks
    // and events; values equal to their defaults are not written.
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    // Run-time state, for hosts and tests.
    bool isDragging() const { return m_dragging; }
    QPointF thumbPosition() const { return m_thumb; }
    QSize thumbSize() const;
    QRect grooveRect() const { return m_groove; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void Click();
    void ArrivedFirst();
    void ArrivedLast();
    void Change();
    void MouseDown(short Shift);
    void MouseUp(short Shift);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void relayout();
    void placeThumbForValue();
    int travel() const;
    int range() const { return m_max - m_min; }
    void placeAlong(int value);
    void dragTo(QPointF point);
    void showTip();
    void closeTip();
    void paintRail(QPainter& painter);
    void paintThumb(QPainter& painter);

    quint32 m_backColor;
    int m_mousePointer = 0;
    QPixmap m_mouseIcon;
    int m_max = 10;
    int m_min = 0;
    int m_value = 0;
    int m_orientation = 1;
    int m_railStyle = 0;
    QPixmap m_sliderImage;
    QPixmap m_railImage;
    bool m_showValueTip = true;

    int m_lastNotified = 0;
    bool m_dragging = false;
    QPointF m_grab;
    QPointF m_thumb;
    QRect m_groove;
};
