#include "fakes/fake_window_system.h"

namespace fakes {

bool fake_window_system::set_window_pos(platform::window_handle w, platform::window_handle insert_after,
                                        int x, int y, int cx, int cy, unsigned flags) {
    if (log_) {
        log_->push_back("set_window_pos " + std::to_string(insert_after) + " " + std::to_string(x) + " " +
                        std::to_string(y) + " " + std::to_string(cx) + " " + std::to_string(cy) + " " +
                        std::to_string(flags));
    }
    window_state& s = windows[w];
    if (!(flags & platform::swp_nomove)) {
        const int width = s.rect.right - s.rect.left;
        const int height = s.rect.bottom - s.rect.top;
        s.rect = {x, y, x + width, y + height};
    }
    if (!(flags & platform::swp_nosize)) {
        s.rect.right = s.rect.left + cx;
        s.rect.bottom = s.rect.top + cy;
    }
    if (insert_after == platform::hwnd_topmost) {
        s.topmost = true;
        ++s.raises;
    } else if (insert_after == platform::hwnd_notopmost) {
        s.topmost = false;
    }
    return true;
}

}  // namespace fakes
