// A framed panel that holds other controls: one of five 3D frames around its
// client area, optionally sizing its single child to fill it, and reporting the
// mouse entering and leaving its own surface.
//
// Mouse coordinates in events are twips (pixels x 15).
#pragma once

#include "controls/PropertyBag.h"

#include <QPixmap>
#include <QWidget>

class QTimer;

class Container3D : public QWidget
{
    Q_OBJECT

public:
    // CtrlEffect: 0 none, 1 flat button-shadow lines, 2 raised, 3 sunken, 4 bump,
    // 5 etched.
    explicit Container3D(QWidget* parent = nullptr);

    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    // 0 to 5; others throw ControlError 514 and change nothing.
    int CtrlEffect() const { return m_ctrlEffect; }
    void setCtrlEffect(int effect);
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    // 0 off, 1 size the single child to the inside; others throw 514.
    int AutoSize() const { return m_autoSize; }
    void setAutoSize(int autoSize);
    // 1 opaque (the default), 0 transparent: the host shows through.
    int BackStyle() const { return m_backStyle; }
    void setBackStyle(int style);

    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    // The frame's width on each side for an effect: 0, 1 or 2 pixels.
    static int frameWidth(int ctrlEffect);
    // The client rectangle less the frame.
    QRect innerRect() const;
    bool isTrackingMouse() const;

Q_SIGNALS:
    void MouseEnter();
    void MouseExit();
    void Click();
    void DblClick();
    void MouseDown();
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void redraw();
    void fitSingleChild();
    void checkMouseLeft();
    bool onOwnSurface(QPointF point) const;

    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    int m_ctrlEffect = 1;
    quint32 m_backColor;
    int m_autoSize = 0;
    int m_backStyle = 1;
    QTimer* m_tmrMouseEnter;
    bool m_pressedInside = false;
};
