#include "platform/qt/qt_x11_window.h"

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform::qt {

namespace {

// The X connection; null without one (the offscreen platform answers for X11 too).
xcb_connection_t* x11_connection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t intern(xcb_connection_t* c, const char* name) {
    xcb_atom_t atom = XCB_ATOM_NONE;
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
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
    xcb_connection_t* c = x11_connection();
    if (!c || !window->testAttribute(Qt::WA_WState_Created)) return false;
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

namespace {

// The major opcode of an extension of the X server, 0 where it has none.
std::uint8_t extension_opcode(xcb_connection_t* c, const char* name) {
    if (!c) return 0;
    xcb_query_extension_reply_t* reply =
        xcb_query_extension_reply(c, xcb_query_extension(c, std::strlen(name), name), nullptr);
    const std::uint8_t opcode = reply && reply->present ? reply->major_opcode : 0;
    std::free(reply);
    return opcode;
}

}  // namespace

bool pointer_position_goes_stale() {
    static const bool stale = [] {
        xcb_connection_t* c = x11_connection();
        if (!c) return false;
        for (const QScreen* s : QGuiApplication::screens()) {
            if (s->name().startsWith(QLatin1String("XWAYLAND"))) return true;
        }
        return extension_opcode(c, "XWAYLAND") != 0;
    }();
    return stale;
}

pointer_crossings::pointer_crossings() : xinput_opcode_(extension_opcode(x11_connection(), "XInputExtension")) {}

namespace {

// XInput 2's crossing events and their fields, by their place in the event (its first
// 32 bytes, which xcb keeps as they came).
constexpr std::uint16_t xi_enter = 7, xi_leave = 8;
struct xi_crossing {
    std::uint8_t response_type, extension;
    std::uint16_t sequence;
    std::uint32_t length;
    std::uint16_t event_type, device;
    std::uint32_t time;
    std::uint16_t source;
    std::uint8_t mode, detail;
    std::uint32_t root, event, child;
};
static_assert(sizeof(xi_crossing) == 32);

// The modes and details are the same numbers in both: the pointer moved by itself (not
// a grab starting), to or from an ancestor (the root, through the window manager's frame).
bool moved(std::uint8_t mode) { return mode == XCB_NOTIFY_MODE_NORMAL || mode == XCB_NOTIFY_MODE_UNGRAB; }

}  // namespace

bool pointer_crossings::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t" || !on_cross) return false;
    const auto* e = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t kind = e->response_type & 0x7F;
    if (kind == XCB_ENTER_NOTIFY || kind == XCB_LEAVE_NOTIFY) {
        const auto* c = static_cast<const xcb_enter_notify_event_t*>(message);
        if (!moved(c->mode)) return false;
        if (kind == XCB_ENTER_NOTIFY) on_cross(c->event, true);
        else if (c->detail == XCB_NOTIFY_DETAIL_ANCESTOR) on_cross(c->event, false);
    } else if (kind == XCB_GE_GENERIC && xinput_opcode_) {
        const auto* g = static_cast<const xi_crossing*>(message);
        if (g->extension != xinput_opcode_ || (g->event_type != xi_enter && g->event_type != xi_leave)) return false;
        if (!moved(g->mode)) return false;
        if (g->event_type == xi_enter) on_cross(g->event, true);
        else if (g->detail == XCB_NOTIFY_DETAIL_ANCESTOR) on_cross(g->event, false);
    }
    return false;
}

namespace {

xcb_connection_t* connection_of(QWidget* window) {
    return window->testAttribute(Qt::WA_WState_Created) ? x11_connection() : nullptr;
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
