// The picture push button with a themed look: XP-like (rounded shape, gradient
// body), flat highlight, frameless or classic bevelled; hover tracking with a
// fast timer, sounds on hover and click, an address opened on click, a hand
// cursor and an access key from the caption's "&".
//
// ButtonStyle: 2 flat highlight (default), 3 XP, 4 no frame, any other classic
// bevel (BEVEL 0 none, 1 thin, 2 or more deep by BEVELDEPTH / 4 pixels).
// PicturePosition: see LumenLook::PicturePosition. PictureSize: 0 the picture's
// own size, anything else PictureWidth x PictureHeight. Mouse coordinates in
// events are twips (pixels x 15). Enabled and Font are the widget's own.
#pragma once

#include "controls/PropertyBag.h"

#include <QPixmap>
#include <QWidget>

class QTimer;

class LumenButton : public QWidget
{
    Q_OBJECT

public:
    explicit LumenButton(QWidget* parent = nullptr);
    ~LumenButton() override;

    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int v);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& v);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool v) { set(m_showFocusRect, v); }
    QString URL() const { return m_url; }
    void setURL(const QString& v) { m_url = v; }
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int ButtonStyle() const { return m_buttonStyle; }
    void setButtonStyle(int style);
    int PicturePosition() const { return m_picturePosition; }
    void setPicturePosition(int v) { set(m_picturePosition, v); }
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    int PictureWidth() const { return m_pictureWidth; }
    void setPictureWidth(int v) { set(m_pictureWidth, v); }
    int PictureHeight() const { return m_pictureHeight; }
    void setPictureHeight(int v) { set(m_pictureHeight, v); }
    int PictureSize() const { return m_pictureSize; }
    void setPictureSize(int mode);
    QPixmap PictureHover() const { return m_pictureHover; }
    void setPictureHover(const QPixmap& v) { set(m_pictureHover, v); }
    quint32 XPColor_Pressed() const { return m_xpColorPressed; }
    void setXPColor_Pressed(quint32 v) { set(m_xpColorPressed, v); }
    quint32 XPColor_Hover() const { return m_xpColorHover; }
    void setXPColor_Hover(quint32 v) { set(m_xpColorHover, v); }
    bool XPDefaultColors() const { return m_xpDefaultColors; }
    void setXPDefaultColors(bool v) { set(m_xpDefaultColors, v); }
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 v) { set(m_backColor, v); }
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 v) { set(m_foreColor, v); }
    QString SoundOver() const { return m_soundOver; }
    void setSoundOver(const QString& v) { m_soundOver = v; }
    QString SoundClick() const { return m_soundClick; }
    void setSoundClick(const QString& v) { m_soundClick = v; }
    QString version() const;
    bool DefCurHand() const { return m_defCurHand; }
    void setDefCurHand(bool v);
    bool XPShowBorderAlways() const { return m_xpShowBorderAlways; }
    void setXPShowBorderAlways(bool v) { m_xpShowBorderAlways = v; }
    quint32 MaskColor() const { return m_maskColor; }
    void setMaskColor(quint32 v) { set(m_maskColor, v); }
    bool TransparentBG() const { return m_transparentBG; }
    void setTransparentBG(bool v);
    int BEVEL() const { return m_bevel; }
    void setBEVEL(int v) { set(m_bevel, v); }
    int BEVELDEPTH() const { return m_bevelDepth; }
    void setBEVELDEPTH(int v) { set(m_bevelDepth, v); }

    // The native window id. Asking for it makes the button (and its siblings)
    // native windows, so only hosts that hand it to the platform should ask.
    quintptr hWnd() const { return winId(); }

    // The host's default-button ambient: classic looks frame the default button.
    void setDisplayAsDefault(bool isDefault);

    void Refresh() { update(); }
    // A whole click without the mouse (an assistive tool's press): the click
    // sound, Click and the address, as the access key and Space give.
    void performClick();
    // Opens URL: "mailto:" addresses with the mail handler, others in the browser.
    void GoToURL();

    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    // Run-time state, for tests.
    bool isPressed() const { return m_pressed; }
    bool isHovering() const { return m_hovering; }
    bool looksPressed() const { return m_pressed && !m_pressedLookSuspended; }
    QPixmap shownPicture() const { return m_shown; }
    QChar accessKey() const { return m_accessKey; }

Q_SIGNALS:
    void Click();
    void KeyDown(short KeyCode, short Shift);
    void KeyPress(short KeyAscii);
    void KeyUp(short KeyCode, short Shift);
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    void MouseIn(short Shift);
    void MouseOut(short Shift);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // Shows the hovering and pressed looks without a mouse (for previews).
    void previewLook(bool hovering, bool pressed);

private:
    // Stores a property and repaints.
    template <typename T> void set(T& field, const T& value)
    {
        field = value;
        update();
    }
    void applyCursor();
    // The picture the button shows with the mouse over it or not.
    QPixmap pictureFor(bool hovering) const;
    void applyRegion();
    void updateAccessKey();
    void pressStep(short button, short shift, QPointF at);
    void releaseStep(short button, short shift, QPointF at);
    void hoverTick();
    void paintXp(QPainter& painter);
    void paintFlat(QPainter& painter);
    void paintClassic(QPainter& painter);
    void paintContent(QPainter& painter);

    int m_mousePointer = 0;
    QPixmap m_mouseIcon;
    bool m_showFocusRect = true;
    QString m_url;
    QString m_caption;
    int m_buttonStyle = 2;
    int m_picturePosition = 1;
    QPixmap m_picture;
    int m_pictureWidth = 32;
    int m_pictureHeight = 32;
    int m_pictureSize = 1;
    int m_originalPicSizeW = 32;
    int m_originalPicSizeH = 32;
    QPixmap m_pictureHover;
    quint32 m_xpColorPressed;
    quint32 m_xpColorHover;
    bool m_xpDefaultColors = true;
    quint32 m_backColor;
    quint32 m_foreColor;
    QString m_soundOver;
    QString m_soundClick;
    bool m_defCurHand = true;
    bool m_xpShowBorderAlways = false;
    quint32 m_maskColor = 0;
    bool m_transparentBG = false;
    int m_bevel = 1;
    int m_bevelDepth = 8;

    bool m_focused = false;
    bool m_isDefault = false;
    bool m_pressed = false;
    bool m_pressedLookSuspended = false; // pressed, but the mouse went away
    bool m_hovering = false;
    bool m_keyHeld = false;
    bool m_secondPress = false; // the release ending a double click does not click
    short m_lastButton = 0;
    short m_lastShift = 0;
    QPointF m_lastPos;
    QPixmap m_shown;
    QChar m_accessKey;
    int m_shortcutId = 0;
    QTimer* m_overTimer;
};
