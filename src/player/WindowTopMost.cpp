#include "player/WindowTopMost.h"

#include <QWidget>
#include <QWindow>

bool SetWindowTopMost(int mode, QWidget* window)
{
    if (!window || !window->isWindow())
        return false;
    if (mode != 0 && mode != 1) {
        window->raise();
        return true;
    }
    const bool onTop = mode == 1;
    if (QWindow* handle = window->windowHandle(); handle && window->isVisible()) {
        // Changing the flags of the shown QWidget would hide and re-create it;
        // the native window takes the hint in place.
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        return true;
    }
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    return true;
}

bool IsWindowTopMost(const QWidget* window)
{
    if (const QWindow* handle = window->windowHandle(); handle && window->isVisible())
        return handle->flags().testFlag(Qt::WindowStaysOnTopHint);
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
