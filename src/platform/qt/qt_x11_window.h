#pragma once

#include <QRect>

class QWidget;

namespace platform::qt {

// Window managers keep a window that places itself mostly off the screen partly on it
// (openbox leaves a tenth), but let a window that claims a screen edge stand beyond
// that edge. Before a top-level window is placed at r, this claims one pixel of each
// edge that r crosses and gives up the others. Only on X11; elsewhere it does nothing.
void claim_crossed_screen_edges(QWidget* window, const QRect& r);

// Asks the window manager to put a top-level window at the top of its layer without
// activating it, as a pager would. Returns false where there is no X11 to ask, and
// the caller raises it the toolkit's way.
bool restack_on_top(QWidget* window);

}  // namespace platform::qt
