#include "window/topmost_keeper.h"

namespace window {

void keep_topmost(platform::window_system& windows, platform::window_handle w) {
    windows.set_window_pos(w, platform::hwnd_topmost, 0, 0, 1, 1, platform::swp_nosize | platform::swp_nomove);
}

}  // namespace window
