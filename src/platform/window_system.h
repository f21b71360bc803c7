// The window system: placement and z-order of top-level windows, addressed by handle,
// in screen pixels; the monitors of the desktop; the pointer; and each window's message
// procedure, which a program may replace to see the window's messages first. The Qt
// layer implements it (src/platform/qt/qt_window_system.cpp); tests use a fake with
// monitors and a pointer of its own (tests/fakes/).
#pragma once

#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

namespace platform {

using window_handle = std::intptr_t;

inline constexpr window_handle hwnd_topmost = -1;

inline constexpr unsigned swp_nosize = 0x0001;
inline constexpr unsigned swp_nomove = 0x0002;
inline constexpr unsigned swp_framechanged = 0x0020;

// Messages, by the numbers the window system gives them.
using message_id = std::uint32_t;
using hit_test_code = std::uint32_t;
using lresult = std::intptr_t;

inline constexpr message_id wm_displaychange = 0x7E;  // the monitors changed
inline constexpr message_id wm_nclbuttondown = 0xA1;  // a left press on the frame or the caption
inline constexpr message_id wm_sizing = 0x214;        // a border resize proposes a rectangle
inline constexpr message_id wm_moving = 0x216;        // a caption drag proposes a rectangle
inline constexpr message_id wm_entersizemove = 0x231;
inline constexpr message_id wm_exitsizemove = 0x232;

// Hit-test codes: where on the window's frame a press lands.
inline constexpr hit_test_code htcaption = 2;
inline constexpr hit_test_code htleft = 10;
inline constexpr hit_test_code htright = 11;
inline constexpr hit_test_code httop = 12;
inline constexpr hit_test_code httopleft = 13;
inline constexpr hit_test_code httopright = 14;
inline constexpr hit_test_code htbottom = 15;
inline constexpr hit_test_code htbottomleft = 16;
inline constexpr hit_test_code htbottomright = 17;

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

// One message and what it carries, typed by its kind: a press on the frame its hit-test
// code and screen point, a proposed rectangle (wm_moving, wm_sizing) a rectangle that
// every procedure on the way may rewrite and whose last state the window applies, every
// other message nothing. Made only through the functions below, so that the number and
// the payload always agree.
class window_message {
public:
    struct frame_press {
        hit_test_code hit_test = 0;
        pixel_point point;
    };

    static window_message plain(message_id id) { return window_message(id, std::monostate{}); }
    static window_message nclbuttondown(hit_test_code hit_test, pixel_point point) {
        return window_message(wm_nclbuttondown, frame_press{hit_test, point});
    }
    // A drag's or resize's proposal; `proposed` outlives the message.
    static window_message moving(pixel_rect& proposed) { return window_message(wm_moving, &proposed); }
    static window_message sizing(pixel_rect& proposed) { return window_message(wm_sizing, &proposed); }

    message_id id() const { return id_; }
    // Only for wm_nclbuttondown.
    const frame_press& press() const { return std::get<frame_press>(payload_); }
    // Only for wm_moving and wm_sizing.
    pixel_rect& proposed() const { return *std::get<pixel_rect*>(payload_); }

private:
    using payload = std::variant<std::monostate, frame_press, pixel_rect*>;
    window_message(message_id id, payload p) : id_(id), payload_(p) {}
    message_id id_;
    payload payload_;
};

// A window's message procedure: what the window does with each message it receives.
// A window always has one; replacing it puts a new procedure in front, which may pass
// messages on to the one it replaced.
using window_proc = std::function<lresult(window_handle, const window_message&)>;

class window_system {
public:
    virtual ~window_system() = default;
    // Moves, sizes and restacks a window; insert_after is hwnd_topmost (the top
    // of the topmost band) or another window. Returns false when the window is unknown.
    virtual bool set_window_pos(window_handle w, window_handle insert_after, int x, int y, int cx, int cy,
                                unsigned flags) = 0;
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
    static lresult call_window_proc(const window_proc& p, window_handle w, const window_message& m) {
        return p ? p(w, m) : 0;
    }
};

}  // namespace platform
