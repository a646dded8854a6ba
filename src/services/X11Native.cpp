#include "services/X11Native.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#ifdef SKYTUNER_HAVE_XCB
#include <cstdlib>
#include <cstring>
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

xcb_atom_t trayAtom(xcb_connection_t* c)
{
    // Interned once; only the owner lookup is repeated.
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom == XCB_ATOM_NONE) {
        const QByteArray name =
            "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber(qgetenv("DISPLAY")));
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, quint16(name.size()), name.constData()), nullptr);
        if (r) {
            atom = r->atom;
            std::free(r);
        }
    }
    return atom;
}

// Watches the tray manager's window: its destruction ends that manager.
class TrayOwnerWatch : public QAbstractNativeEventFilter
{
public:
    quint32 watched = 0;
    quint64 generation = 0;

    void watch(xcb_connection_t* c, quint32 owner)
    {
        if (owner == watched)
            return;
        watched = owner;
        if (owner == 0)
            return;
        ++generation;
        // Add structure events to whatever this connection already asked for.
        xcb_get_window_attributes_reply_t* a =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, owner), nullptr);
        if (!a)
            return;
        const quint32 mask = a->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        std::free(a);
        xcb_change_window_attributes(c, owner, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t" || watched == 0)
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) == XCB_DESTROY_NOTIFY &&
            reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == watched)
            watched = 0;
        return false;
    }
};

TrayOwnerWatch* trayOwnerWatch()
{
    static TrayOwnerWatch* watch = [] {
        auto* w = new TrayOwnerWatch;
        QCoreApplication::instance()->installNativeEventFilter(w);
        return w;
    }();
    return watch;
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
    const xcb_atom_t atom = trayAtom(c);
    if (atom == XCB_ATOM_NONE)
        return 0;
    xcb_get_selection_owner_reply_t* r =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom), nullptr);
    if (!r)
        return 0;
    const quint32 owner = r->owner;
    std::free(r);
    return owner;
}

QString systemTrayHost()
{
    xcb_connection_t* c = connection();
    if (!c)
        return {};
    const quint32 owner = systemTrayOwner();
    TrayOwnerWatch* watch = trayOwnerWatch();
    watch->watch(c, owner);
    if (owner == 0)
        return {};
    return QString::number(owner) + QLatin1Char('/') + QString::number(watch->generation);
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

void setNormalInitialState(quintptr window)
{
    xcb_connection_t* c = connection();
    if (!c || window == 0)
        return;
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, xcb_window_t(window), XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9),
        nullptr);
    if (!r)
        return;
    // flags, input, initial_state, ... (ICCCM 4.1.2.4); StateHint is flag 2, NormalState 1.
    quint32 hints[9] = {};
    const int count = r->format == 32 ? qMin(9, xcb_get_property_value_length(r) / 4) : 0;
    if (count >= 3) {
        std::memcpy(hints, xcb_get_property_value(r), size_t(count) * 4);
        hints[0] |= 2;
        hints[2] = 1;
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(window), XCB_ATOM_WM_HINTS,
                            XCB_ATOM_WM_HINTS, 32, quint32(count), hints);
        xcb_flush(c);
    }
    std::free(r);
}

#else

void setNormalInitialState(quintptr) {}

bool available()
{
    return false;
}

quint32 systemTrayOwner()
{
    return 0;
}

QString systemTrayHost()
{
    return {};
}

bool pointerButtonsDown()
{
    return false;
}

#endif

} // namespace X11Native
