#include "platform/qt/qt_x11_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

xcb_atom_t strut_atom(xcb_connection_t* c) {
    static const xcb_atom_t atom = intern(c, "_NET_WM_STRUT");
    return atom;
}

xcb_atom_t restack_atom(xcb_connection_t* c) {
    static const xcb_atom_t atom = intern(c, "_NET_RESTACK_WINDOW");
    return atom;
}

}  // namespace

void claim_crossed_screen_edges(QWidget* window, const QRect& r) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!x11 || !screen || !window->testAttribute(Qt::WA_WState_Created)) return;
    const QRect s = screen->geometry();
    // left, right, top, bottom
    const std::array<std::uint32_t, 4> strut{r.left() < s.left() ? 1u : 0u, r.right() > s.right() ? 1u : 0u,
                                             r.top() < s.top() ? 1u : 0u, r.bottom() > s.bottom() ? 1u : 0u};
    const QVariant previous = window->property("_tallix_strut");
    const std::uint32_t packed = strut[0] | strut[1] << 1 | strut[2] << 2 | strut[3] << 3;
    if (previous.isValid() ? previous.toUInt() == packed : packed == 0) return;
    window->setProperty("_tallix_strut", packed);
    xcb_connection_t* c = x11->connection();
    const xcb_atom_t atom = strut_atom(c);
    if (atom == XCB_ATOM_NONE) return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    if (packed == 0) {
        xcb_delete_property(c, id, atom);
    } else {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom, XCB_ATOM_CARDINAL, 32, 4, strut.data());
    }
    // The window manager must read the claim before the move that needs it; both travel
    // on this one connection, in order.
    xcb_flush(c);
}

bool restack_on_top(QWidget* window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!x11 || !screen || !window->testAttribute(Qt::WA_WState_Created)) return false;
    xcb_connection_t* c = x11->connection();
    const xcb_atom_t atom = restack_atom(c);
    if (atom == XCB_ATOM_NONE) return false;
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = static_cast<xcb_window_t>(window->winId());
    m.type = atom;
    m.data.data32[0] = 2;  // source: a pager, which window managers obey without activating
    m.data.data32[1] = XCB_WINDOW_NONE;
    m.data.data32[2] = XCB_STACK_MODE_ABOVE;
    xcb_send_event(c, 0, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&m));
    xcb_flush(c);
    return true;
}

}  // namespace platform::qt
