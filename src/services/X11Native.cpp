#include "services/X11Native.h"

#include <QGuiApplication>

#ifdef SKYTUNER_HAVE_XCB
#include <cstdlib>
#include <xcb/xcb.h>
#endif

namespace X11Native {

int screenNumber(const QByteArray& display)
{
    const int colon = display.lastIndexOf(':');
    const int dot = display.indexOf('.', colon < 0 ? 0 : colon);
    if (colon < 0 || dot < 0)
        return 0;
    bool ok = false;
    const int screen = display.mid(dot + 1).toInt(&ok);
    return ok && screen >= 0 ? screen : 0;
}

#ifdef SKYTUNER_HAVE_XCB

namespace {

xcb_connection_t* connection()
{
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->connection() : nullptr;
}

xcb_window_t firstRoot(xcb_connection_t* c)
{
    const xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    return it.rem > 0 ? it.data->root : 0;
}

} // namespace

bool available()
{
    return connection() != nullptr;
}

quint32 systemTrayOwner()
{
    xcb_connection_t* c = connection();
    if (!c)
        return 0;
    const QByteArray name =
        "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber(qgetenv("DISPLAY")));
    // The atom is interned once; only the owner lookup is repeated.
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom == XCB_ATOM_NONE) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, quint16(name.size()), name.constData()), nullptr);
        if (!r)
            return 0;
        atom = r->atom;
        std::free(r);
    }
    xcb_get_selection_owner_reply_t* r =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom), nullptr);
    if (!r)
        return 0;
    const quint32 owner = r->owner;
    std::free(r);
    return owner;
}

bool pointerButtonsDown()
{
    xcb_connection_t* c = connection();
    if (!c)
        return false;
    xcb_query_pointer_reply_t* r =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, firstRoot(c)), nullptr);
    if (!r)
        return false;
    constexpr quint16 Buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3 |
                                XCB_BUTTON_MASK_4 | XCB_BUTTON_MASK_5;
    const bool down = (r->mask & Buttons) != 0;
    std::free(r);
    return down;
}

#else

bool available()
{
    return false;
}

quint32 systemTrayOwner()
{
    return 0;
}

bool pointerButtonsDown()
{
    return false;
}

#endif

} // namespace X11Native
