// LumenButton's painting: the XP, flat and classic looks, then the picture and
// the caption, then the focus rectangle.
#include "controls/LumenButton.h"
#include "controls/LumenLook.h"
#include "controls/PictureTint.h"
#include "platform/GdiEdge.h"
#include "platform/GdiText.h"
#include "platform/OleColor.h"

#include <QPainter>

using namespace LumenLook;

namespace {

const QColor XpOuterBorder(0, 60, 116);

void hline(QPainter& p, int y, int x0, int x1, const QColor& c)
{
    if (x1 >= x0)
        p.fillRect(QRect(x0, y, x1 - x0 + 1, 1), c);
}

void vline(QPainter& p, int x, int y0, int y1, const QColor& c)
{
    if (y1 >= y0)
        p.fillRect(QRect(x, y0, 1, y1 - y0 + 1), c);
}

// A one-pixel rectangle outline `inset` pixels inside a w x h button.
void insetFrame(QPainter& p, int w, int h, int inset, const QColor& c)
{
    hline(p, inset, inset, w - 1 - inset, c);
    hline(p, h - 1 - inset, inset, w - 1 - inset, c);
    vline(p, inset, inset, h - 1 - inset, c);
    vline(p, w - 1 - inset, inset, h - 1 - inset, c);
}

QColor blend(const QColor& a, const QColor& b, double amount)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * amount),
                            float(a.greenF() + (b.greenF() - a.greenF()) * amount),
                            float(a.blueF() + (b.blueF() - a.blueF()) * amount));
}

void cornerPixels(QPainter& p, int w, int h, const QColor& c)
{
    for (const QPoint& at :
         {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)})
        p.fillRect(QRect(at, QSize(1, 1)), c);
}

} // namespace

void LumenButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_buttonStyle == 3) {
        paintXp(painter);
    } else {
        if (!m_transparentBG)
            painter.fillRect(rect(), resolveColour(m_backColor));
        if (m_buttonStyle == 2)
            paintFlat(painter);
        else if (m_buttonStyle != 4)
            paintClassic(painter);
    }
    paintContent(painter);
    if (m_focused && m_showFocusRect && m_buttonStyle != 3)
        Gdi::drawFocusRect(painter, rect().adjusted(3, 3, -3, -3));
}

void LumenButton::paintXp(QPainter& p)
{
    const int w = width();
    const int h = height();
    const QColor back = resolveColour(m_backColor);
    p.fillRect(rect(), back);
    if (!isEnabled()) {
        hline(p, 0, 1, w - 2, offsetColour(back, -84));
        hline(p, h - 1, 1, w - 2, offsetColour(back, -84));
        vline(p, 0, 1, h - 2, offsetColour(back, -72));
        vline(p, w - 1, 1, h - 2, offsetColour(back, -72));
        hline(p, 1, 1, w - 2, offsetColour(back, 48));
        vline(p, 1, 1, h - 2, offsetColour(back, 48));
        hline(p, h - 2, 2, w - 2, offsetColour(back, -24));
        vline(p, w - 2, 2, h - 2, offsetColour(back, -24));
        cornerPixels(p, w, h, offsetColour(back, -72));
        return;
    }
    if (looksPressed()) {
        const QList<QColor> rows = pressedGradientRows(back, h);
        for (int y = 0; y < h; ++y)
            hline(p, y, 0, w - 1, rows.at(y));
        const QColor base = pressedBase(back);
        hline(p, h - 2, 1, w - 2, offsetColour(base, 16));
        hline(p, h - 3, 1, w - 2, offsetColour(base, 10));
        vline(p, w - 2, 1, h - 2, offsetColour(base, 5));
        vline(p, w - 3, 1, h - 2, base);
        hline(p, 1, 1, w - 2, offsetColour(base, -32));
        hline(p, 2, 1, w - 2, offsetColour(base, -24));
    } else {
        // Resting body: light at the top, slightly darker towards the bottom.
        for (int y = 0; y < h; ++y)
            hline(p, y, 0, w - 1, offsetColour(back, 24 - (h > 1 ? y * 40 / (h - 1) : 0)));
        const XpColours xp = xpColours(m_xpDefaultColors, m_xpColorPressed, m_xpColorHover);
        const bool ring = m_hovering || m_focused || m_isDefault;
        if (ring) {
            const QColor outer = m_hovering ? xp.hover : xp.pressed;
            const QColor inner = blend(outer, back, 0.5);
            insetFrame(p, w, h, 1, outer);
            insetFrame(p, w, h, 2, inner);
        }
    }
    hline(p, 0, 2, w - 3, XpOuterBorder);
    hline(p, h - 1, 2, w - 3, XpOuterBorder);
    vline(p, 0, 2, h - 3, XpOuterBorder);
    vline(p, w - 1, 2, h - 3, XpOuterBorder);
    cornerPixels(p, w, h,
                 looksPressed() ? OleColor::toColor(OleColor::DarkShadow3D)
                                : blend(XpOuterBorder, back, 0.4));
}

void LumenButton::paintFlat(QPainter& p)
{
    if (!isEnabled() || (!m_hovering && !looksPressed()))
        return;
    const QColor back = resolveColour(m_backColor);
    const QColor highlight = OleColor::toColor(OleColor::HighlightColor);
    p.fillRect(rect(), blend(back, highlight, looksPressed() ? 0.45 : 0.25));
    QColor border = highlight;
    if (!m_xpDefaultColors)
        border = resolveColour(looksPressed() ? m_xpColorPressed : m_xpColorHover);
    p.setPen(border);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void LumenButton::paintClassic(QPainter& p)
{
    QRect r = rect();
    if (m_focused || m_isDefault)
        r = Gdi::drawEdge(p, r, Gdi::BDR_RAISEDOUTER | Gdi::BDR_SUNKENOUTER,
                          Gdi::BF_RECT | Gdi::BF_MONO | Gdi::BF_ADJUST);
    const int depth = m_bevel <= 0 ? 0 : (m_bevel == 1 ? 1 : std::max(2, m_bevelDepth / 4));
    const QColor light = OleColor::toColor(OleColor::Highlight3D);
    const QColor shadow = OleColor::toColor(OleColor::ButtonShadow);
    const QColor topLeft = looksPressed() ? shadow : light;
    const QColor bottomRight = looksPressed() ? light : shadow;
    for (int i = 0; i < depth && r.width() > 1 && r.height() > 1; ++i) {
        const int l = r.left();
        const int t = r.top();
        const int rr = r.left() + r.width() - 1;
        const int b = r.top() + r.height() - 1;
        hline(p, t, l, rr - 1, topLeft);
        vline(p, l, t, b - 1, topLeft);
        hline(p, b, l, rr, bottomRight);
        vline(p, rr, t, b, bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

void LumenButton::paintContent(QPainter& p)
{
    const QPixmap& picture = m_shown.isNull() ? m_picture : m_shown;
    const QSize pictureSize =
        picture.isNull() ? QSize()
                         : QSize(std::max(m_pictureWidth, 0), std::max(m_pictureHeight, 0));
    p.setFont(font());
    const QSize captionSize =
        m_caption.isEmpty() ? QSize() : Gdi::prefixTextSize(font(), m_caption);
    const bool shifted = looksPressed() && m_buttonStyle != 4;
    const Content c = contentLayout(size(), m_picturePosition, pictureSize, captionSize, shifted);
    if (!c.picture.isEmpty()) {
        QPixmap shown = PictureTint::keyed(picture, resolveColour(m_maskColor));
        if (shown.size() != c.picture.size())
            shown = shown.scaled(c.picture.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        p.save();
        if (!isEnabled())
            p.setOpacity(0.45);
        p.drawPixmap(c.picture.topLeft(), shown);
        p.restore();
    }
    if (!c.caption.isEmpty())
        Gdi::drawStatePrefixText(p, c.caption.topLeft(), m_caption, resolveColour(m_foreColor),
                                 isEnabled() ? 0u : uint(Gdi::DSS_DISABLED));
}
