#include "services/cMagneticWnd.h"

#include "services/QtMagneticWindows.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool overlapVertically(const WndRect& r, const WndRect& t, int s)
{
    return r.top < t.bottom + s && t.top - s < r.bottom;
}

bool overlapHorizontally(const WndRect& r, const WndRect& t, int s)
{
    return r.left < t.right + s && t.left - s < r.right;
}

bool near(int a, int b, int s)
{
    return std::abs(a - b) < s;
}

// The first of the four edge pairings within s sets the correction from a to the target.
void snapEdges(int aLow, int aHigh, int tLow, int tHigh, int s, int& d)
{
    if (near(aLow, tLow, s))
        d = tLow - aLow;
    else if (near(aLow, tHigh, s))
        d = tHigh - aLow;
    else if (near(aHigh, tLow, s))
        d = tLow - aHigh;
    else if (near(aHigh, tHigh, s))
        d = tHigh - aHigh;
}

void snapMoving(const WndRect& r, const WndRect& t, int s, int& dx, int& dy)
{
    if (overlapVertically(r, t, s))
        snapEdges(r.left, r.right, t.left, t.right, s, dx);
    if (overlapHorizontally(r, t, s))
        snapEdges(r.top, r.bottom, t.top, t.bottom, s, dy);
}

// One edge being sized: lands on the target's low or high edge when near it.
void snapSizedEdge(int proposed, int tLow, int tHigh, int s, int& edge)
{
    if (near(proposed, tLow, s))
        edge = tLow;
    else if (near(proposed, tHigh, s))
        edge = tHigh;
}

} // namespace

cMagneticWnd::cMagneticWnd(MagneticWindowSystem* windows)
{
    if (!windows) {
        m_ownWindows = std::make_unique<QtMagneticWindows>();
        windows = m_ownWindows.get();
    }
    m_ws = windows;
}

cMagneticWnd::~cMagneticWnd()
{
    for (int i = count(); i >= 1; --i)
        m_ws->unhook(m_windows[i].hWnd);
}

void cMagneticWnd::zSubclass_Proc(bool bBefore, bool& bHandled, qintptr& lReturn,
                                  WndHandle lng_hWnd, unsigned uMsg, qintptr wParam, qintptr lParam)
{
    Q_UNUSED(bBefore)
    switch (uMsg) {
    case WM_ENTERSIZEMOVE:
        startSizeMove(lng_hWnd);
        break;
    case WM_MOVING: {
        auto* rect = reinterpret_cast<WndRect*>(lParam);
        WndRect r = *rect;
        movingStep(lng_hWnd, r);
        *rect = r;
        bHandled = true;
        lReturn = 1;
        break;
    }
    case WM_SIZING: {
        auto* rect = reinterpret_cast<WndRect*>(lParam);
        WndRect r = *rect;
        sizingStep(lng_hWnd, int(wParam), r);
        *rect = r;
        bHandled = true;
        lReturn = 1;
        break;
    }
    case WM_EXITSIZEMOVE:
    case WM_COMMAND:
        CheckGlueing();
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_MINIMIZE || wParam == SC_RESTORE)
            CheckGlueing();
        break;
    default:
        break;
    }
}

bool cMagneticWnd::AddWindow(WndHandle hWnd, WndHandle hWndParent)
{
    if (isRegistered(hWnd) || !m_ws->isWindow(hWnd))
        return false;
    if (hWndParent != 0 && !m_ws->isWindow(hWndParent))
        return false;
    m_windows.push_back({hWnd, hWndParent, false});
    m_rects.resize(m_windows.size());
    CheckGlueing();
    m_ws->hook(hWnd, this);
    return true;
}

bool cMagneticWnd::RemoveWindow(WndHandle hWnd)
{
    const int slot = slotOf(hWnd);
    if (slot <= 0)
        return false;
    m_windows.erase(m_windows.begin() + slot);
    m_rects.erase(m_rects.begin() + slot);
    for (Record& record : m_windows) {
        if (record.hWndParent == hWnd)
            record.hWndParent = 0;
    }
    m_ws->unhook(hWnd);
    CheckGlueing();
    return true;
}

void cMagneticWnd::CheckGlueing()
{
    const int n = count();
    for (int i = 1; i <= n; ++i) {
        m_rects[i] = m_ws->windowRect(m_windows[i].hWnd);
        m_windows[i].Glued = false;
    }
    for (int i = 1; i <= n; ++i) {
        if (m_windows[i].hWndParent == 0)
            continue;
        // A parent that is not registered has no rectangle here: nothing to glue to.
        const int parent = slotOf(m_windows[i].hWndParent);
        m_windows[i].Glued = parent > 0 && touching(m_rects[parent], m_rects[i]);
    }
    // Each round lets the glue spread one sibling further along a chain.
    for (int round = 0; round < n; ++round) {
        for (int i = 1; i <= n; ++i) {
            if (!m_windows[i].Glued)
                continue;
            for (int j = 1; j <= n; ++j) {
                if (j != i && !m_windows[j].Glued &&
                    m_windows[j].hWndParent == m_windows[i].hWndParent)
                    m_windows[j].Glued = touching(m_rects[i], m_rects[j]);
            }
        }
    }
}

bool cMagneticWnd::isGlued(WndHandle hWnd) const
{
    const int slot = slotOf(hWnd);
    return slot > 0 && m_windows[slot].Glued;
}

WndHandle cMagneticWnd::parentOf(WndHandle hWnd) const
{
    const int slot = slotOf(hWnd);
    return slot > 0 ? m_windows[slot].hWndParent : 0;
}

bool cMagneticWnd::touching(const WndRect& a, const WndRect& b)
{
    const WndRect u{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
    if (u.width() > a.width() + b.width() || u.height() > a.height() + b.height())
        return false;
    return a.left == b.left || a.left == b.right || a.right == b.left || a.right == b.right ||
           a.top == b.top || a.top == b.bottom || a.bottom == b.top || a.bottom == b.bottom;
}

int cMagneticWnd::slotOf(WndHandle hWnd) const
{
    if (hWnd == 0)
        return 0;
    for (int i = 1; i <= count(); ++i) {
        if (m_windows[i].hWnd == hWnd)
            return i;
    }
    return 0;
}

bool cMagneticWnd::gluedTo(int slot, WndHandle parent) const
{
    return m_windows[slot].Glued && m_windows[slot].hWndParent == parent;
}

void cMagneticWnd::startSizeMove(WndHandle w)
{
    m_rects[0] = m_ws->workArea();
    for (int i = 1; i <= count(); ++i) {
        const WndHandle h = m_windows[i].hWnd;
        m_rects[i] = m_ws->isMaximized(h) ? m_rects[0] : m_ws->windowRect(h);
        if (h == w) {
            m_anchor = m_ws->cursorPos();
            m_dragOffset = QPoint(m_rects[i].left - m_anchor.x(), m_rects[i].top - m_anchor.y());
        }
    }
}

void cMagneticWnd::movingStep(WndHandle w, WndRect& r)
{
    const int s = m_snapWidth;
    const int self = slotOf(w);
    // The window follows the cursor at the offset it had when the drag began.
    m_cursor = m_ws->cursorPos();
    r.translate(m_cursor.x() + m_dragOffset.x() - r.left, m_cursor.y() + m_dragOffset.y() - r.top);

    int dx = 0;
    int dy = 0;
    for (int j = 0; j <= count(); ++j) {
        if ((self > 0 && j == self) || gluedTo(j, w))
            continue;
        snapMoving(r, m_rects[j], s, dx, dy);
    }

    // Glued children snap too, from where the drag carries them.
    const QPoint carried = m_cursor - m_anchor;
    for (int i = 1; i <= count(); ++i) {
        if (!gluedTo(i, w))
            continue;
        WndRect g = m_rects[i];
        g.translate(carried.x(), carried.y());
        for (int j = 0; j <= count(); ++j) {
            if (j == i || (self > 0 && j == self) || m_windows[j].Glued)
                continue;
            snapMoving(g, m_rects[j], s, dx, dy);
        }
    }

    r.translate(dx, dy);

    if (self <= 0)
        return;
    QList<DeferredMove> moves;
    const WndRect& start = m_rects[self];
    for (int i = 1; i <= count(); ++i) {
        if (gluedTo(i, w)) {
            moves.append({m_windows[i].hWnd, QPoint(m_rects[i].left - start.left + r.left,
                                                    m_rects[i].top - start.top + r.top)});
        }
    }
    if (!moves.isEmpty())
        m_ws->deferMoves(moves);
}

void cMagneticWnd::sizingStep(WndHandle w, int edge, WndRect& r)
{
    const int s = m_snapWidth;
    const int self = slotOf(w);
    const WndRect p = r;
    const bool left = edge == Left || edge == TopLeft || edge == BottomLeft;
    const bool right = edge == Right || edge == TopRight || edge == BottomRight;
    const bool top = edge == Top || edge == TopLeft || edge == TopRight;
    const bool bottom = edge == Bottom || edge == BottomLeft || edge == BottomRight;
    for (int j = 0; j <= count(); ++j) {
        if (self > 0 && j == self)
            continue;
        const WndRect& t = m_rects[j];
        if (overlapVertically(r, t, s)) {
            if (left)
                snapSizedEdge(p.left, t.left, t.right, s, r.left);
            if (right)
                snapSizedEdge(p.right, t.left, t.right, s, r.right);
        }
        if (overlapHorizontally(r, t, s)) {
            if (top)
                snapSizedEdge(p.top, t.top, t.bottom, s, r.top);
            if (bottom)
                snapSizedEdge(p.bottom, t.top, t.bottom, s, r.bottom);
        }
    }
}
