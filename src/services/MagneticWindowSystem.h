// What cMagneticWnd needs of the window system: screen rectangles in pixels, the
// work area, the cursor, moves of several windows at once and a way to hear about
// a window's moves. Windows are named by their native handles.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QtGlobal>

class cMagneticWnd;

using WndHandle = quintptr;

// A screen rectangle with exclusive right and bottom edges (right = left + width).
struct WndRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    void translate(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const WndRect&) const = default;

    static WndRect fromQRect(const QRect& r)
    {
        return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
    }
    QRect toQRect() const { return {left, top, width(), height()}; }
};

struct DeferredMove
{
    WndHandle hWnd;
    QPoint topLeft; // new place of the window's outer top-left corner; size unchanged
};

class MagneticWindowSystem
{
public:
    virtual ~MagneticWindowSystem() = default;

    virtual WndRect workArea() const = 0;
    virtual bool isWindow(WndHandle hWnd) const = 0;
    // The window's outer rectangle, decorations included.
    virtual WndRect windowRect(WndHandle hWnd) const = 0;
    virtual bool isMaximized(WndHandle hWnd) const = 0;
    virtual QPoint cursorPos() const = 0;
    // Moves the windows together, without resizing, raising or activating them.
    virtual void deferMoves(const QList<DeferredMove>& moves) = 0;
    // From hook until unhook, the window's start and end of a drag, its moving and
    // sizing steps and its minimise and restore reach owner's zSubclass_Proc.
    virtual void hook(WndHandle hWnd, cMagneticWnd* owner) = 0;
    virtual void unhook(WndHandle hWnd) = 0;
};
