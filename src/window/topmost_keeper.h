// The always-on-top keeper, ticked by calc's Timer_alltop.
#pragma once

#include "platform/window_system.h"

namespace window {

// Puts the window at the top of the topmost band again, keeping its place and size.
// Whatever the window system answers is ignored: the next tick tries again.
void keep_topmost(platform::window_system& windows, platform::window_handle w);

}  // namespace window
