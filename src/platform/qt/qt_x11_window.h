// What the Qt layer asks of the X server directly: restacking, the window's real place,
// and the pointer's crossings; used by the Qt forms and window system.
#pragma once

#include <QtGui/qwindowdefs.h>
#include <QAbstractNativeEventFilter>
#include <QRect>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace platform::qt {

// Asks the window manager to put a top-level window at the top of its layer without
// activating it, as a pager would, unless it stands there already. Returns false where
// there is no X11 or the window manager takes no such request, and the caller raises
// the window the toolkit's way.
bool restack_on_top(QWidget* window);

// Whether the X server is XWayland, where the pointer position an X client reads stays
// where it last was over an X window while the pointer is over a Wayland window. Its
// monitors are named XWAYLAND0, XWAYLAND1, ...; newer releases have an extension of
// that name as well.
bool pointer_position_goes_stale();

// The X server's word that the pointer crossed out of a top-level window to its root,
// or into it: what still tells where the pointer is once its position goes stale. A
// crossing into another X window (a menu, another program's window) says nothing the
// position does not say, and the crossings of a grab (a menu taking the pointer) say
// nothing of where the pointer is; neither is told. Reads core and XInput 2 crossings.
class pointer_crossings : public QAbstractNativeEventFilter {
public:
    pointer_crossings();
    // The window, and whether the pointer entered it (else it left for the root).
    std::function<void(WId, bool)> on_cross;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    std::uint8_t xinput_opcode_ = 0;  // 0: the server has no XInput
};

// Where the X server has a top-level window now, in the toolkit's pixels; none where
// there is no X11 or the window is not made yet.
std::optional<QRect> x11_geometry(QWidget* window);

// Tells the toolkit that its window stands at r (the toolkit's pixels), the way a window
// manager answers a request it does not carry out: a synthetic ConfigureNotify, sent to
// the window itself.
void tell_x11_geometry(QWidget* window, const QRect& r);

}  // namespace platform::qt
