// The window system: placement and z-order of top-level windows, addressed by handle,
// in screen pixels; the monitors of the desktop; the pointer; and each window's message
// procedure, which a program may replace to see the window's messages first. The Qt
// layer implements it (src/platform/qt/qt_window_system.cpp); tests use a fake with
// monitors and a pointer of its own (tests/fakes/).
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace platform {

using window_handle = std::intptr_t;

inline constexpr window_handle hwnd_topmost = -1;

inline constexpr unsigned swp_nosize = 0x0001;
inline constexpr unsigned swp_nomove = 0x0002;
inline constexpr unsigned swp_framechanged = 0x0020;

// Messages and their two parameters. lparam is wide enough to carry an address.
using message_id = std::uint32_t;
using wparam = std::uintptr_t;
using lparam = std::intptr_t;
using lresult = std::intptr_t;

inline constexpr message_id wm_displaychange = 0x7E;  // the monitors changed; no parameters
inline constexpr message_id wm_nclbuttondown = 0xA1;  // wparam: hit-test code, lparam: screen point
inline constexpr message_id wm_sizing = 0x214;        // lparam: address of the proposed pixel_rect
inline constexpr message_id wm_moving = 0x216;        // lparam: address of the proposed pixel_rect
inline constexpr message_id wm_entersizemove = 0x231;
inline constexpr message_id wm_exitsizemove = 0x232;

// Hit-test codes: where on the window's frame a press lands.
inline constexpr wparam htcaption = 2;
inline constexpr wparam htleft = 10;
inline constexpr wparam htright = 11;
inline constexpr wparam httop = 12;
inline constexpr wparam httopleft = 13;
inline constexpr wparam httopright = 14;
inline constexpr wparam htbottom = 15;
inline constexpr wparam htbottomleft = 16;
inline constexpr wparam htbottomright = 17;

// A window's outer rectangle in screen pixels, frame and caption included; right and
// bottom lie just outside. Laid out as four 32-bit integers, as messages carry it.
struct pixel_rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const pixel_rect&, const pixel_rect&) = default;
};

struct pixel_point {
    int x = 0;
    int y = 0;
    friend bool operator==(const pixel_point&, const pixel_point&) = default;
};

// Which edges of a monitor are the desktop's outer edges: no other monitor continues
// beyond them.
struct monitor_edges {
    bool left = true;
    bool top = true;
    bool right = true;
    bool bottom = true;
    friend bool operator==(const monitor_edges&, const monitor_edges&) = default;
};

struct monitor {
    pixel_rect rect;
    bool primary = false;
    monitor_edges outer;
    friend bool operator==(const monitor&, const monitor&) = default;
};

// The monitors at these rectangles, the one at index `primary` the primary one, each edge
// marked outer unless another monitor lies beyond it along some of its length: an edge
// that is shared over part of its length counts as shared.
std::vector<monitor> desktop_monitors(const std::vector<pixel_rect>& rects, std::size_t primary);

// The rectangle behind the lparam of wm_moving and wm_sizing, copied byte for byte.
inline pixel_rect read_rect_param(lparam p) {
    pixel_rect r;
    std::memcpy(&r, reinterpret_cast<const void*>(p), sizeof r);
    return r;
}
inline void write_rect_param(lparam p, const pixel_rect& r) {
    std::memcpy(reinterpret_cast<void*>(p), &r, sizeof r);
}
inline lparam rect_param(pixel_rect& r) { return reinterpret_cast<lparam>(&r); }

// A screen point packed into an lparam: x in the low 16 bits, y in the next 16, both signed.
inline lparam point_param(pixel_point p) {
    return static_cast<lparam>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(p.y)) << 16) |
                               static_cast<std::uint16_t>(p.x));
}

// A window's message procedure: what the window does with each message it receives.
// A window always has one; replacing it puts a new procedure in front, which may pass
// messages on to the one it replaced.
using window_proc = std::function<lresult(window_handle, message_id, wparam, lparam)>;

class window_system {
public:
    virtual ~window_system() = default;
    // Moves, sizes and restacks a window; insert_after is hwnd_topmost (the top
    // of the topmost band) or another window. Returns false when the window is unknown.
    virtual bool set_window_pos(window_handle w, window_handle insert_after, int x, int y,
                                int cx, int cy, unsigned flags) = 0;
    // The window's outer rectangle now; all zero for an unknown window.
    virtual pixel_rect window_rect(window_handle w) const = 0;
    // The monitors of the desktop, in screen pixels; empty when the window system tells
    // none.
    virtual std::vector<monitor> monitors() const = 0;
    // Where the mouse pointer is, in screen pixels.
    virtual pixel_point cursor_pos() const = 0;
    // True while the window system knows the pointer to be away from the window whatever
    // cursor_pos says: where the position that the program reads goes stale while the
    // pointer is over other programs' windows (XWayland over a Wayland window), it still
    // tells when the pointer leaves the window, and this holds from then until the
    // pointer comes back. False where the position never goes stale.
    virtual bool pointer_gone_from(window_handle w) const = 0;
    // The window's current procedure; empty for an unknown window.
    virtual window_proc window_procedure(window_handle w) const = 0;
    // Installs p as the window's procedure and returns the one it replaces (empty for an
    // unknown window, which then keeps nothing).
    virtual window_proc set_window_procedure(window_handle w, window_proc p) = 0;

    // Runs a procedure on one message; an empty procedure answers 0.
    static lresult call_window_proc(const window_proc& p, window_handle w, message_id m, wparam wp, lparam lp) {
        return p ? p(w, m, wp, lp) : 0;
    }
};

}  // namespace platform
