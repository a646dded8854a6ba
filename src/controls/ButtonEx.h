// The dialogs' push button: five visual states drawn with system edges around a
// picture and a caption (the standard look) or from skin pictures, hover
// tracking with MouseEnter/MouseExit raised once each, an optional toggle, an
// access key from the caption's "&", and the host's default-button frame.
//
// Mouse coordinates in events are twips (pixels x 15). States: see
// ButtonExLayout::State. Enabled and Font are the widget's own.
//
// Drag and drop (numbers in OleDragDrop.h, data in DataObject.h): OLEDrag
// starts a drag of the button's picture. OLEStartDrag lets the host fill the
// data and narrow AllowedEffects (copy | move; none cancels the drag),
// OLESetData asks for a format announced without data when a target reads it,
// OLEGiveFeedback reports each change of the effect (the platform draws the
// cursor whatever DefaultCursors says), OLECompleteDrag gives the effect taken.
// With OLEDropMode 1 (manual) the button takes drops: OLEDragOver on entering,
// moving and leaving, OLEDragDrop on the drop, both with Effect holding the
// source's effects, which the host narrows (0 refuses). OLEDropMode 0 (none,
// the default) and other values take no drops. DataObject pointers are valid
// during the event only; by-reference arguments need direct connections.
#pragma once

#include "controls/DataObject.h"
#include "controls/OleDragDrop.h"
#include "controls/PropertyBag.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QTimer;

class ButtonEx : public QWidget
{
    Q_OBJECT

public:
    explicit ButtonEx(QWidget* parent = nullptr);

    bool AllowDefault() const { return m_allowDefault; }
    void setAllowDefault(bool v) { set(m_allowDefault, v); }
    bool AllowFocus() const { return m_allowFocus; }
    void setAllowFocus(bool v) { set(m_allowFocus, v); }
    // 0 flat, 1 3D, 2 skinned (when SkinUp is set).
    int Appearance() const { return m_appearance; }
    void setAppearance(int v) { set(m_appearance, v); }
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 v) { set(m_backColor, v); }
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int v) { set(m_borderStyle, v); }
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int CaptionOffsetX() const { return m_captionOffsetX; }
    void setCaptionOffsetX(int v) { set(m_captionOffsetX, v); }
    int CaptionOffsetY() const { return m_captionOffsetY; }
    void setCaptionOffsetY(int v) { set(m_captionOffsetY, v); }
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 v) { set(m_foreColor, v); }
    quint32 HighlightColor() const { return m_highlightColor; }
    void setHighlightColor(quint32 v) { set(m_highlightColor, v); }
    bool HighlightPicture() const { return m_highlightPicture; }
    void setHighlightPicture(bool v) { set(m_highlightPicture, v); }
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& v);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int v);
    int OLEDropMode() const { return m_oleDropMode; }
    void setOLEDropMode(int v);
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& v) { set(m_picture, v); }
    QPixmap PictureDisabled() const { return m_pictureDisabled; }
    void setPictureDisabled(const QPixmap& v) { set(m_pictureDisabled, v); }
    QPixmap PictureDown() const { return m_pictureDown; }
    void setPictureDown(const QPixmap& v) { set(m_pictureDown, v); }
    QPixmap PictureFocus() const { return m_pictureFocus; }
    void setPictureFocus(const QPixmap& v) { set(m_pictureFocus, v); }
    int PictureOffsetX() const { return m_pictureOffsetX; }
    void setPictureOffsetX(int v) { set(m_pictureOffsetX, v); }
    int PictureOffsetY() const { return m_pictureOffsetY; }
    void setPictureOffsetY(int v) { set(m_pictureOffsetY, v); }
    QPixmap PictureOver() const { return m_pictureOver; }
    void setPictureOver(const QPixmap& v) { set(m_pictureOver, v); }
    bool RightToLeft() const { return m_rightToLeft; }
    void setRightToLeft(bool v) { set(m_rightToLeft, v); }
    QPixmap SkinDisabled() const { return m_skinDisabled; }
    void setSkinDisabled(const QPixmap& v) { set(m_skinDisabled, v); }
    QPixmap SkinDown() const { return m_skinDown; }
    void setSkinDown(const QPixmap& v) { set(m_skinDown, v); }
    QPixmap SkinFocus() const { return m_skinFocus; }
    void setSkinFocus(const QPixmap& v) { set(m_skinFocus, v); }
    QPixmap SkinOver() const { return m_skinOver; }
    void setSkinOver(const QPixmap& v) { set(m_skinOver, v); }
    QPixmap SkinUp() const { return m_skinUp; }
    void setSkinUp(const QPixmap& v) { set(m_skinUp, v); }
    // 0 push button, 1 toggle.
    int Style() const { return m_style; }
    void setStyle(int v) { set(m_style, v); }
    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString& v) { setToolTip(v); }
    quint32 TransparentColor() const { return m_transparentColor; }
    void setTransparentColor(quint32 v) { set(m_transparentColor, v); }
    // A toggle's state: 0 in (drawn down), 1 out.
    int Value() const { return m_value; }
    void setValue(int v);
    int WhatsThisHelpID() const { return m_whatsThisHelpId; }
    void setWhatsThisHelpID(int v) { m_whatsThisHelpId = v; }

    // The native window id. Asking for it makes the button (and its siblings)
    // native windows, so only hosts that hand it to the platform should ask.
    quintptr hWnd() const { return winId(); }
    // Always 0: the button paints with QPainter in paint events and keeps no
    // device context a host could draw on.
    quintptr hDC() const { return 0; }

    // The host's default-button ambient: the default button draws as focused.
    void setDisplayAsDefault(bool isDefault);

    // A whole click without the mouse (Enter or Space in a dialog, an assistive
    // tool's press): a toggle flips, then Click.
    void performClick();

    void ClearHighlight();
    void DrawHighlight();
    void Refresh() { update(); }
    void OLEDrag();

    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    // Run-time state, for tests.
    int state() const { return m_state; }
    bool isHoverTimerActive() const;
    bool focusedOrDefault() const { return m_focusedOrDefault; }
    // The picture shown now (skin or state picture), null if none.
    QPixmap shownSkin() const;

Q_SIGNALS:
    void Click();
    void KeyDown(short KeyCode, short Shift);
    void KeyPress(short KeyAscii);
    void KeyUp(short KeyCode, short Shift);
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseEnter();
    void MouseExit();
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    void Resize();
    void OLEStartDrag(DataObject* Data, int& AllowedEffects);
    void OLEDragOver(DataObject* Data, int& Effect, short Button, short Shift, float X, float Y,
                     short State);
    void OLEDragDrop(DataObject* Data, int& Effect, short Button, short Shift, float X, float Y);
    void OLEGiveFeedback(int Effect, bool& DefaultCursors);
    void OLESetData(DataObject* Data, short DataFormat);
    void OLECompleteDrag(int Effect);

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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // Draws the button in a state (the way presses, moves and the hover timer
    // do); previews and tests show a state with it without a mouse.
    void drawState(int state);

private:
    void changed() { drawState(m_state); }
    // Stores a property and redraws the current state.
    template <typename T> void set(T& field, const T& value)
    {
        field = value;
        changed();
    }
    // A left press arms Click and flips a toggle only when it `acts`.
    void press(QMouseEvent* event, bool acts);
    void dispatchEnterExit(bool enter);
    void hoverTick();
    void updateAccessKey();
    // Every change of Value goes through here, so that a toggle's flip is announced.
    void storeValue(int value);
    bool isSkinned() const;
    QPixmap pictureFor(int state) const;
    void paintStandardFrame(QPainter& painter);
    void paintPicture(QPainter& painter, int& pictureRight);
    void paintCaption(QPainter& painter, int pictureRight);
    // Raises OLEDragOver and returns the action the host's answer allows.
    Qt::DropAction dragOver(const QDropEvent& event, short state);

    bool m_allowDefault = true;
    bool m_allowFocus = true;
    int m_appearance = 1;
    quint32 m_backColor;
    int m_borderStyle = 1;
    QString m_caption;
    int m_captionOffsetX = 0;
    int m_captionOffsetY = 0;
    quint32 m_foreColor;
    quint32 m_highlightColor;
    bool m_highlightPicture = false;
    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    int m_oleDropMode = 0;
    QPixmap m_picture, m_pictureDisabled, m_pictureDown, m_pictureFocus, m_pictureOver;
    int m_pictureOffsetX = 0;
    int m_pictureOffsetY = 0;
    bool m_rightToLeft = false;
    QPixmap m_skinDisabled, m_skinDown, m_skinFocus, m_skinOver, m_skinUp;
    int m_style = 0;
    quint32 m_transparentColor = 0xFF0000;
    int m_value = 1;
    int m_whatsThisHelpId = 0;

    int m_state = 1;
    enum class LastEvent
    {
        None,
        Enter,
        Exit
    } m_lastEnterExit = LastEvent::None;
    bool m_mouseLeft = false;
    bool m_focusedOrDefault = false;
    bool m_highlightRect = false;
    bool m_pressedInside = false;
    int m_shortcutId = 0;
    QTimer* m_hoverTimer;
    // The drag over the button, for the leaving event (which carries neither).
    QPointer<const QMimeData> m_dragData;
    OleDragDrop::Pointer m_dragPointer;
};
