// Fake window system: a screen in pixels and the rectangles of the windows on it;
// records every call.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace fakes {

struct pixel_rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const pixel_rect&, const pixel_rect&) = default;
};

class fake_window_system : public platform::window_system {
public:
    explicit fake_window_system(std::vector<std::string>* log = nullptr) : log_(log) {}

    bool set_window_pos(platform::window_handle w, platform::window_handle insert_after, int x, int y,
                        int cx, int cy, unsigned flags) override;

    struct window_state {
        pixel_rect rect;
        bool topmost = false;
        int raises = 0;
    };
    std::map<platform::window_handle, window_state> windows;
    int screen_width = 1920;
    int screen_height = 1080;

private:
    std::vector<std::string>* log_;
};

}  // namespace fakes
