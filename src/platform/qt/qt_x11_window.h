#pragma once

#include <QRect>
#include <optional>

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

// Where the X server has a top-level window now, in the toolkit's pixels; none where
// there is no X11 or the window is not made yet.
std::optional<QRect> x11_geometry(QWidget* window);

// Tells the toolkit that its window stands at r (the toolkit's pixels), the way a window
// manager answers a request it does not carry out: a synthetic ConfigureNotify, sent to
// the window itself.
void tell_x11_geometry(QWidget* window, const QRect& r);

}  // namespace platform::qt
