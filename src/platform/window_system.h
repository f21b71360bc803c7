// The window system: placement and z-order of top-level windows, addressed by handle,
// in screen pixels. The Qt layer implements it (src/platform/qt/qt_window_system.cpp);
// tests use a fake with a screen of its own (tests/fakes/).
#pragma once

#include <cstdint>

namespace platform {

using window_handle = std::intptr_t;

inline constexpr window_handle hwnd_topmost = -1;
inline constexpr window_handle hwnd_notopmost = -2;

inline constexpr unsigned swp_nosize = 0x0001;
inline constexpr unsigned swp_nomove = 0x0002;
inline constexpr unsigned swp_noactivate = 0x0010;
inline constexpr unsigned swp_framechanged = 0x0020;

class window_system {
public:
    virtual ~window_system() = default;
    // Moves, sizes and restacks a window; insert_after is hwnd_topmost, hwnd_notopmost
    // or another window. Returns false when the window is unknown.
    virtual bool set_window_pos(window_handle w, window_handle insert_after, int x, int y,
                                int cx, int cy, unsigned flags) = 0;
};

}  // namespace platform
