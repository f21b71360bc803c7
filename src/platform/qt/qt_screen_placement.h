// Where a form's real window stands and what it shows; used by qt_form.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <deque>

namespace platform::qt {

// Most window managers keep a window on the screen whatever position it asks for, and
// some keep a part of it there. A form may stand partly beyond the screen's edges all the
// same (docked and hidden at an edge): its window stays on the screen and shows only the
// part of the form that lies on it.
struct screen_placement {
    QRect window;   // the real window, screen pixels
    QPoint offset;  // where the form's top-left corner lies in the window
    QRect visible;  // the part of the window that shows the form, window pixels
};

// The window of a form at `form` on the desktop of these monitors: the form moved the
// least distance that puts it within the desktop's bounds (to their top-left where it is
// larger), showing the form's part on the monitors. A form wholly beyond them keeps its
// own place and shows all: there is nothing on them to show, and the window manager
// decides.
screen_placement place_on_screen(const QRect& form, const QRegion& desktop);

// Tells a window's own moves apart from those the window manager makes. The window
// system reports a geometry asked for some time later, in order, or not at all when the
// window is already there; it also reports the moves the window manager makes by itself:
// the place where it maps the window, or a move the user makes through it.
class move_tracker {
public:
    enum class report {
        asked_for,     // a geometry this window asked for, now or earlier
        placed_apart,  // mapped elsewhere than asked: to be moved to wanted() again
        moved_apart,   // moved by the window manager or the user: the window is there now
    };

    // The window asks for r. Before it is mapped, r is the place it wants to appear at.
    void ask(const QRect& r);
    // The window system reports the window at r. `mapping`: while the window manager may
    // still be placing the window it has just mapped.
    report reported(const QRect& r, bool mapping);
    // The geometry last asked for, or the one the window manager moved the window to.
    const QRect& wanted() const { return last_asked_; }

private:
    std::deque<QRect> pending_;  // asked for, not yet reported
    QRect last_asked_;
    QRect last_reported_;
    bool asked_ = false;
    int corrections_ = 0;
};

}  // namespace platform::qt
