#include "platform/qt/qt_screen_placement.h"

#include <algorithm>

namespace platform::qt {

namespace {

// The start of a span of `size` at `start`, moved the least into [low, high); the span's
// start at `low` when it is longer.
int within(int start, int size, int low, int high) {
    if (size >= high - low) return low;
    return std::clamp(start, low, high - size);
}

// How many corrections a window manager that places the window elsewhere at mapping gets
// before the window stays where it puts it.
constexpr int max_corrections = 3;
// A window manager that answers some requests with nothing must not grow the list.
constexpr std::size_t max_pending = 64;

}  // namespace

screen_placement place_on_screen(const QRect& form, const QRegion& desktop) {
    const QRect screen = desktop.boundingRect();
    const QRect on_screen = desktop.intersected(form).boundingRect();
    if (on_screen.isEmpty()) return {form, QPoint(0, 0), QRect(QPoint(0, 0), form.size())};
    const QPoint at(within(form.left(), form.width(), screen.left(), screen.left() + screen.width()),
                    within(form.top(), form.height(), screen.top(), screen.top() + screen.height()));
    return {QRect(at, form.size()), form.topLeft() - at, on_screen.translated(-at)};
}

void move_tracker::ask(const QRect& r) {
    asked_ = true;
    last_asked_ = r;
    pending_.push_back(r);
    if (pending_.size() > max_pending) pending_.pop_front();
}

move_tracker::report move_tracker::reported(const QRect& r, bool mapping) {
    // A move and a resize reported together arrive as two events of one geometry.
    if (r == last_reported_) return report::asked_for;
    last_reported_ = r;
    if (r == last_asked_) {
        pending_.clear();
        return report::asked_for;
    }
    const auto earlier = std::find(pending_.begin(), pending_.end(), r);
    if (earlier != pending_.end()) {
        pending_.erase(pending_.begin(), earlier + 1);
        return report::asked_for;
    }
    if (mapping && asked_ && corrections_ < max_corrections) {
        ++corrections_;
        return report::placed_apart;
    }
    pending_.clear();
    last_asked_ = r;
    return report::moved_apart;
}

}  // namespace platform::qt
