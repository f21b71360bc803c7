#include "platform/qt/qt_x11_window.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <xcb/xcb.h>

namespace platform::qt {

namespace {

xcb_atom_t intern(xcb_connection_t* c, const char* name) {
    xcb_atom_t atom = XCB_ATOM_NONE;
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    if (reply) atom = reply->atom;
    std::free(reply);
    return atom;
}

// A list of 32-bit values that the window manager keeps on the root window; empty when
// it keeps none.
std::vector<std::uint32_t> root_list(xcb_connection_t* c, xcb_window_t root, xcb_atom_t property, xcb_atom_t type) {
    std::vector<std::uint32_t> values;
    if (property == XCB_ATOM_NONE) return values;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, property, type, 0, 4096), nullptr);
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

struct atoms {
    xcb_atom_t supported, stacking, restack;
};

const atoms& atoms_of(xcb_connection_t* c) {
    static const atoms a{intern(c, "_NET_SUPPORTED"), intern(c, "_NET_CLIENT_LIST_STACKING"),
                         intern(c, "_NET_RESTACK_WINDOW")};
    return a;
}

}  // namespace

// Window managers differ: openbox, KWin, mutter, metacity and icewm restack on a request
// that names no sibling, fluxbox only on one that does, and xfwm4 knows no such request
// but raises a window that asks for it itself.
bool restack_on_top(QWidget* window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window->testAttribute(Qt::WA_WState_Created)) return false;
    xcb_connection_t* c = x11->connection();
    const atoms& a = atoms_of(c);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // Bottom to top.
    std::vector<std::uint32_t> stacking = root_list(c, root, a.stacking, XCB_ATOM_WINDOW);
    if (!stacking.empty() && stacking.back() == id) return true;
    const std::vector<std::uint32_t> supported = root_list(c, root, a.supported, XCB_ATOM_ATOM);
    if (a.restack == XCB_ATOM_NONE || std::find(supported.begin(), supported.end(), a.restack) == supported.end())
        return false;
    stacking.erase(std::remove(stacking.begin(), stacking.end(), id), stacking.end());
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = id;
    m.type = a.restack;
    m.data.data32[0] = 2;  // source: a pager, which window managers obey without activating
    m.data.data32[1] = stacking.empty() ? xcb_window_t{XCB_WINDOW_NONE} : stacking.back();
    m.data.data32[2] = XCB_STACK_MODE_ABOVE;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&m));
    xcb_flush(c);
    return true;
}

bool pointer_position_goes_stale() {
    static const bool stale = [] {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11) return false;
        xcb_connection_t* c = x11->connection();
        constexpr char name[] = "XWAYLAND";
        xcb_query_extension_reply_t* reply =
            xcb_query_extension_reply(c, xcb_query_extension(c, sizeof name - 1, name), nullptr);
        const bool present = reply && reply->present;
        std::free(reply);
        return present;
    }();
    return stale;
}

namespace {

xcb_connection_t* connection_of(QWidget* window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && window->testAttribute(Qt::WA_WState_Created) ? x11->connection() : nullptr;
}

}  // namespace

std::optional<QRect> x11_geometry(QWidget* window) {
    xcb_connection_t* c = connection_of(window);
    if (!c) return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto size_cookie = xcb_get_geometry(c, id);
    const auto place_cookie = xcb_translate_coordinates(c, id, root, 0, 0);
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(c, size_cookie, nullptr);
    xcb_translate_coordinates_reply_t* place = xcb_translate_coordinates_reply(c, place_cookie, nullptr);
    std::optional<QRect> r;
    if (size && place) {
        const qreal ratio = window->devicePixelRatioF();
        r = QRect(qRound(place->dst_x / ratio), qRound(place->dst_y / ratio), qRound(size->width / ratio),
                  qRound(size->height / ratio));
    }
    std::free(size);
    std::free(place);
    return r;
}

void tell_x11_geometry(QWidget* window, const QRect& r) {
    xcb_connection_t* c = connection_of(window);
    if (!c) return;
    const qreal ratio = window->devicePixelRatioF();
    xcb_configure_notify_event_t e{};
    e.response_type = XCB_CONFIGURE_NOTIFY;
    e.event = e.window = static_cast<xcb_window_t>(window->winId());
    e.x = static_cast<std::int16_t>(qRound(r.x() * ratio));
    e.y = static_cast<std::int16_t>(qRound(r.y() * ratio));
    e.width = static_cast<std::uint16_t>(qRound(r.width() * ratio));
    e.height = static_cast<std::uint16_t>(qRound(r.height() * ratio));
    xcb_send_event(c, 0, e.window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char*>(&e));
    xcb_flush(c);
}

}  // namespace platform::qt
