#include "platform/GdiEdge.h"

#include "platform/OleColor.h"

#include <QPainter>

namespace {

constexpr quint32 WindowFrameBlack = 0x000000;

struct BorderColours
{
    quint32 topLeft;
    quint32 bottomRight;
};

// Colours of one border ring; `outer` tells which bit pair the kind came from.
BorderColours ringColours(uint kind, bool outer, uint flags)
{
    if (flags & Gdi::BF_MONO) {
        const quint32 c = outer ? WindowFrameBlack : OleColor::WindowColor;
        return {c, c};
    }
    if (flags & Gdi::BF_FLAT) {
        const quint32 c = outer ? OleColor::ButtonShadow : OleColor::ButtonFace;
        return {c, c};
    }
    switch (kind) {
    case Gdi::BDR_RAISEDOUTER:
        return {OleColor::Light3D, OleColor::DarkShadow3D};
    case Gdi::BDR_SUNKENOUTER:
        return {OleColor::ButtonShadow, OleColor::Highlight3D};
    case Gdi::BDR_RAISEDINNER:
        return {OleColor::Highlight3D, OleColor::ButtonShadow};
    case Gdi::BDR_SUNKENINNER:
        return {OleColor::DarkShadow3D, OleColor::Light3D};
    default:
        return {0, 0};
    }
}

// A ring is drawn when its kind is one of the two defined ones; both bits of a
// pair together draw only in the flat and mono modes.
bool ringDrawn(uint pair, uint flags)
{
    if (pair == 0)
        return false;
    if (pair == 3)
        return (flags & (Gdi::BF_FLAT | Gdi::BF_MONO)) != 0;
    return true;
}

// One ring along the sides named in flags; returns the rectangle inside it.
// The top and left lines stop one pixel short of the far corners, which belong
// to the bottom and right lines.
QRect addRing(QList<Gdi::EdgePart>& parts, const QRect& r, BorderColours c, uint flags)
{
    const int left = r.left();
    const int top = r.top();
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    const int topEnd = (flags & Gdi::BF_RIGHT) ? right - 1 : right;
    const int leftEnd = (flags & Gdi::BF_BOTTOM) ? bottom - 1 : bottom;
    if (flags & Gdi::BF_TOP)
        parts.append({QRect(left, top, topEnd - left, 1), c.topLeft});
    if (flags & Gdi::BF_LEFT)
        parts.append({QRect(left, top, 1, leftEnd - top), c.topLeft});
    if (flags & Gdi::BF_BOTTOM)
        parts.append({QRect(left, bottom - 1, right - left, 1), c.bottomRight});
    if (flags & Gdi::BF_RIGHT)
        parts.append({QRect(right - 1, top, 1, bottom - top), c.bottomRight});
    QRect inner = r;
    inner.adjust((flags & Gdi::BF_LEFT) ? 1 : 0, (flags & Gdi::BF_TOP) ? 1 : 0,
                 (flags & Gdi::BF_RIGHT) ? -1 : 0, (flags & Gdi::BF_BOTTOM) ? -1 : 0);
    return inner;
}

} // namespace

namespace Gdi {

EdgeLayout edgeLayout(const QRect& rect, uint edge, uint flags)
{
    EdgeLayout layout;
    QRect r = rect;
    const uint outerPair = edge & 0x3;
    const uint innerPair = edge & 0xC;
    // Without an outer border the inner one takes the outermost pixels.
    if (ringDrawn(outerPair, flags))
        r = addRing(layout.parts, r, ringColours(outerPair, true, flags), flags);
    if (ringDrawn(innerPair >> 2, flags))
        r = addRing(layout.parts, r, ringColours(innerPair, false, flags), flags);
    if ((flags & BF_MIDDLE) && r.isValid())
        layout.parts.append({r, (flags & BF_MONO) ? OleColor::WindowColor : OleColor::ButtonFace});
    layout.inner = r;
    return layout;
}

QRect drawEdge(QPainter& painter, const QRect& rect, uint edge, uint flags)
{
    const EdgeLayout layout = edgeLayout(rect, edge, flags);
    for (const EdgePart& part : layout.parts) {
        if (part.area.isValid())
            painter.fillRect(part.area, OleColor::toColor(part.colour));
    }
    return layout.inner;
}

QList<QPoint> focusRectPixels(const QRect& rect)
{
    QList<QPoint> pixels;
    if (rect.width() <= 0 || rect.height() <= 0)
        return pixels;
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.left() + rect.width() - 1;
    const int b = rect.top() + rect.height() - 1;
    auto add = [&](int x, int y) {
        if (((x - l) + (y - t)) % 2 == 0)
            pixels.append(QPoint(x, y));
    };
    for (int x = l; x <= r; ++x) {
        add(x, t);
        if (b != t)
            add(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        add(l, y);
        if (r != l)
            add(r, y);
    }
    return pixels;
}

void drawFocusRect(QPainter& painter, const QRect& rect)
{
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (const QPoint& p : focusRectPixels(rect))
        painter.fillRect(QRect(p, QSize(1, 1)), Qt::black);
    painter.restore();
}

} // namespace Gdi
