#include "platform/window_system.h"

namespace platform {

namespace {

// Whether b lies beyond a's edge on the side named, touching or overlapping it, along
// some of the edge's length.
bool beyond_left(const pixel_rect& a, const pixel_rect& b) {
    return b.left < a.left && a.left <= b.right && b.top < a.bottom && a.top < b.bottom;
}
bool beyond_right(const pixel_rect& a, const pixel_rect& b) {
    return b.left <= a.right && a.right < b.right && b.top < a.bottom && a.top < b.bottom;
}
bool beyond_top(const pixel_rect& a, const pixel_rect& b) {
    return b.top < a.top && a.top <= b.bottom && b.left < a.right && a.left < b.right;
}
bool beyond_bottom(const pixel_rect& a, const pixel_rect& b) {
    return b.top <= a.bottom && a.bottom < b.bottom && b.left < a.right && a.left < b.right;
}

}  // namespace

std::vector<monitor> desktop_monitors(const std::vector<pixel_rect>& rects, std::size_t primary) {
    std::vector<monitor> monitors;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        monitor m{rects[i], i == primary, {}};
        for (std::size_t j = 0; j < rects.size(); ++j) {
            if (j == i) continue;
            if (beyond_left(m.rect, rects[j])) m.outer.left = false;
            if (beyond_right(m.rect, rects[j])) m.outer.right = false;
            if (beyond_top(m.rect, rects[j])) m.outer.top = false;
            if (beyond_bottom(m.rect, rects[j])) m.outer.bottom = false;
        }
        monitors.push_back(m);
    }
    return monitors;
}

}  // namespace platform
