#pragma once

class QWidget;

namespace platform::qt {

// Asks the window manager to put a top-level window at the top of its layer without
// activating it, as a pager would, unless it stands there already. Returns false where
// there is no X11 or the window manager takes no such request, and the caller raises
// the window the toolkit's way.
bool restack_on_top(QWidget* window);

// Whether the X server is XWayland, where the pointer position an X client reads stays
// where it last was over an X window while the pointer is over a Wayland window.
bool pointer_position_goes_stale();

}  // namespace platform::qt
