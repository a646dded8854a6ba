// Magnetic windows: while a registered window is dragged or resized, its edges
// jump to the edges of the screen's work area and of the other registered windows
// once they are closer than SnapWidth pixels. A window registered with a parent
// that it touches (directly or through a chain of touching siblings) is glued to
// it and travels with the parent.
//
// The geometry works over MagneticWindowSystem; the messages are the Windows
// window messages, which every adapter translates its own events into.
#pragma once

#include "services/MagneticWindowSystem.h"

#include <memory>
#include <vector>

class cMagneticWnd
{
public:
    // Messages the class handles, with the times they are delivered.
    static constexpr unsigned WM_ENTERSIZEMOVE = 0x0231; // after
    static constexpr unsigned WM_SIZING = 0x0214;        // before
    static constexpr unsigned WM_MOVING = 0x0216;        // before
    static constexpr unsigned WM_EXITSIZEMOVE = 0x0232;  // after
    static constexpr unsigned WM_SYSCOMMAND = 0x0112;    // after
    static constexpr unsigned WM_COMMAND = 0x0111;       // after
    static constexpr qintptr SC_MINIMIZE = 0xF020;
    static constexpr qintptr SC_RESTORE = 0xF120;

    // Sizing edge codes (wParam of WM_SIZING).
    enum Edge
    {
        Left = 1,
        Right,
        Top,
        TopLeft,
        TopRight,
        Bottom,
        BottomLeft,
        BottomRight
    };

    // Without a window system the program's own Qt adapter is used.
    explicit cMagneticWnd(MagneticWindowSystem* windows = nullptr);
    ~cMagneticWnd();
    cMagneticWnd(const cMagneticWnd&) = delete;
    cMagneticWnd& operator=(const cMagneticWnd&) = delete;

    // The message callback; for WM_MOVING and WM_SIZING lParam points to a WndRect.
    void zSubclass_Proc(bool bBefore, bool& bHandled, qintptr& lReturn, WndHandle lng_hWnd,
                        unsigned uMsg, qintptr wParam, qintptr lParam);

    bool AddWindow(WndHandle hWnd, WndHandle hWndParent = 0);
    bool RemoveWindow(WndHandle hWnd);
    void CheckGlueing();

    int SnapWidth() const { return m_snapWidth; }
    void setSnapWidth(int pixels) { m_snapWidth = pixels; }

    // State, for the adapters and tests.
    int count() const { return int(m_windows.size()) - 1; }
    bool isRegistered(WndHandle hWnd) const { return slotOf(hWnd) > 0; }
    bool isGlued(WndHandle hWnd) const;
    WndHandle parentOf(WndHandle hWnd) const;

    // Touch test: no gap between the rectangles and at least one pair of equal edges.
    static bool touching(const WndRect& a, const WndRect& b);

private:
    struct Record
    {
        WndHandle hWnd = 0;
        WndHandle hWndParent = 0;
        bool Glued = false;
    };

    int slotOf(WndHandle hWnd) const;
    void startSizeMove(WndHandle w);
    void movingStep(WndHandle w, WndRect& r);
    void sizingStep(WndHandle w, int edge, WndRect& r);
    bool gluedTo(int slot, WndHandle parent) const;

    std::unique_ptr<MagneticWindowSystem> m_ownWindows;
    MagneticWindowSystem* m_ws;
    std::vector<Record> m_windows{1}; // slot 0 names no window
    std::vector<WndRect> m_rects{1};  // slot 0: the work area
    QPoint m_anchor;
    QPoint m_dragOffset;
    QPoint m_cursor;
    int m_snapWidth = 10;
};
