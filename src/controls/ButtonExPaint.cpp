// ButtonEx's painting: the frame of the standard look, the skin, the picture
// and the caption for the current state.
#include "controls/ButtonEx.h"
#include "controls/ButtonExLayout.h"
#include "controls/PictureTint.h"
#include "platform/GdiEdge.h"
#include "platform/GdiText.h"
#include "platform/OleColor.h"

#include <QPainter>

using namespace ButtonExLayout;

void ButtonEx::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), OleColor::toColor(m_backColor));
    const QPixmap skin = shownSkin();
    if (!skin.isNull())
        painter.drawPixmap(0, 0, skin);
    else
        paintStandardFrame(painter);
    int pictureRight = -1;
    paintPicture(painter, pictureRight);
    paintCaption(painter, pictureRight);
    if (m_highlightRect)
        Gdi::drawFocusRect(painter, rect());
}

void ButtonEx::paintStandardFrame(QPainter& painter)
{
    const QRect client = rect();
    const Edges edges = edgesFor(m_borderStyle);
    const bool defaultFrame = m_focusedOrDefault && m_allowDefault;
    // The default button's one-pixel black frame; what follows goes inside it.
    const auto blackFrame = [&painter](const QRect& r) {
        return Gdi::drawEdge(painter, r, Gdi::BDR_RAISEDOUTER | Gdi::BDR_SUNKENOUTER,
                             Gdi::BF_RECT | Gdi::BF_MONO | Gdi::BF_ADJUST);
    };
    switch (m_state) {
    case Down:
        if (m_borderStyle == 0)
            break;
        if (defaultFrame)
            Gdi::drawEdge(painter, blackFrame(client), Gdi::BDR_SUNKENOUTER,
                          Gdi::BF_RECT | Gdi::BF_FLAT);
        else
            Gdi::drawEdge(painter, client, edges.sunken, Gdi::BF_RECT);
        break;
    case Over:
        Gdi::drawEdge(painter, defaultFrame ? blackFrame(client) : client, edges.raised,
                      Gdi::BF_RECT);
        break;
    case Up:
        if (m_appearance == 1 && m_borderStyle != 0) {
            Gdi::drawEdge(painter, defaultFrame ? blackFrame(client) : client, edges.raised,
                          Gdi::BF_RECT);
        } else if (m_appearance == 0 && m_borderStyle == 4) {
            painter.setPen(OleColor::toColor(OleColor::GrayText));
            painter.drawRect(client.adjusted(0, 0, -1, -1));
        }
        break;
    default:
        break;
    }
    if (m_allowFocus && m_focusedOrDefault)
        Gdi::drawFocusRect(painter, client.adjusted(4, 4, -4, -4));
}

QPixmap ButtonEx::pictureFor(int state) const
{
    const QPixmap* chosen = &m_picture;
    if (!isEnabled() || state == Disabled)
        chosen = &m_pictureDisabled;
    else if (state == Down)
        chosen = &m_pictureDown;
    else if (state == Over)
        chosen = &m_pictureOver;
    else if (state == Focus)
        chosen = &m_pictureFocus;
    return chosen->isNull() ? m_picture : *chosen;
}

void ButtonEx::paintPicture(QPainter& painter, int& pictureRight)
{
    const QPixmap picture = pictureFor(m_state);
    if (picture.isNull())
        return;
    const bool pressed = m_state == Down;
    const QPoint at = picturePosition(m_appearance, size(), picture.size(), pressed,
                                      QPoint(m_pictureOffsetX, m_pictureOffsetY));
    const bool tinted = m_highlightPicture && isEnabled() && (m_state == Over || pressed);
    const QColor transparent = OleColor::toColor(m_transparentColor);
    painter.drawPixmap(
        at, tinted ? PictureTint::tinted(picture, transparent, OleColor::toColor(m_highlightColor))
                   : PictureTint::keyed(picture, transparent));
    pictureRight = at.x() + picture.width() - ((!m_picture.isNull() && pressed) ? 1 : 0);
}

void ButtonEx::paintCaption(QPainter& painter, int pictureRight)
{
    if (m_caption.isEmpty())
        return;
    const bool pressed = m_state == Down;
    quint32 colour = m_borderStyle == 4 ? OleColor::GrayText : m_foreColor;
    if (m_state == Over || (pressed && !m_mouseLeft))
        colour = m_highlightColor;
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const QString measured = Gdi::withoutFirstAmpersand(m_caption);
    const QSize text(metrics.horizontalAdvance(measured), metrics.height());
    const QPoint at = captionPosition(size(), text, pictureRight, pressed,
                                      QPoint(m_captionOffsetX, m_captionOffsetY));
    uint flags = 0;
    if (!isEnabled())
        flags |= Gdi::DSS_DISABLED;
    if (m_rightToLeft)
        flags |= Gdi::DSS_RIGHT;
    Gdi::drawStatePrefixText(painter, at, m_caption, OleColor::toColor(colour), flags,
                             text.width());
}
