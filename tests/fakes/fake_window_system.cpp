#include "fakes/fake_window_system.h"

#include <cmath>

namespace fakes {

fake_form* fake_window_system::form_of(platform::window_handle w) const {
    if (!forms_) return nullptr;
    for (fake_form* f : forms_->forms) {
        if (f->handle() == w) return f;
    }
    return nullptr;
}

pixel_rect fake_window_system::window_rect(platform::window_handle w) const {
    if (fake_form* f = form_of(w)) {
        const double tx = forms_->twips_per_pixel_x(), ty = forms_->twips_per_pixel_y();
        const platform::twips_rect r = f->rect();
        auto px = [](double v) { return static_cast<int>(std::nearbyint(v)); };
        return {px(r.left / tx), px(r.top / ty), px((r.left + r.width) / tx), px((r.top + r.height) / ty)};
    }
    auto it = windows.find(w);
    return it == windows.end() ? pixel_rect{} : it->second.rect;
}

void fake_window_system::place(platform::window_handle w, const pixel_rect& r) {
    if (fake_form* f = form_of(w)) {
        const int tx = forms_->twips_per_pixel_x(), ty = forms_->twips_per_pixel_y();
        f->move({r.left * tx, r.top * ty, (r.right - r.left) * tx, (r.bottom - r.top) * ty});
    }
    windows[w].rect = r;
}

bool fake_window_system::set_window_pos(platform::window_handle w, platform::window_handle insert_after, int x, int y,
                                        int cx, int cy, unsigned flags) {
    if (log_) {
        log_->push_back("set_window_pos " + std::to_string(insert_after) + " " + std::to_string(x) + " " +
                        std::to_string(y) + " " + std::to_string(cx) + " " + std::to_string(cy) + " " +
                        std::to_string(flags));
    }
    window_state& s = windows[w];
    pixel_rect r = window_rect(w);
    if (!(flags & platform::swp_nomove)) r = {x, y, x + r.right - r.left, y + r.bottom - r.top};
    if (!(flags & platform::swp_nosize)) {
        r.right = r.left + cx;
        r.bottom = r.top + cy;
    }
    if (!(flags & platform::swp_nomove) || !(flags & platform::swp_nosize)) place(w, r);
    if (insert_after == platform::hwnd_topmost) {
        s.topmost = true;
        ++s.raises;
    }
    return true;
}

platform::window_proc fake_window_system::window_procedure(platform::window_handle w) const {
    auto it = windows.find(w);
    if (it != windows.end() && it->second.proc) return it->second.proc;
    auto* self = const_cast<fake_window_system*>(this);
    return
        [self](platform::window_handle h, const platform::window_message& m) { return self->default_procedure(h, m); };
}

platform::window_proc fake_window_system::set_window_procedure(platform::window_handle w, platform::window_proc p) {
    platform::window_proc previous = window_procedure(w);
    windows[w].proc = std::move(p);
    return previous;
}

platform::lresult fake_window_system::send(platform::window_handle w, const platform::window_message& m) {
    const platform::window_proc p = window_procedure(w);
    return call_window_proc(p, w, m);
}

platform::lresult fake_window_system::default_procedure(platform::window_handle w, const platform::window_message& m) {
    delivered d{w, m.id(), 0, {}};
    if (m.id() == platform::wm_moving || m.id() == platform::wm_sizing) d.rect = m.proposed();
    if (m.id() == platform::wm_nclbuttondown) d.hit_test = m.press().hit_test;
    defaults.push_back(d);
    if (on_default) on_default(d);
    if (m.id() == platform::wm_nclbuttondown) run_move_loop(w, d.hit_test);
    return default_result;
}

void fake_window_system::drag(platform::window_handle w, platform::hit_test_code hit,
                              const std::vector<platform::pixel_point>& path) {
    pending_path_ = path;
    send(w, platform::window_message::nclbuttondown(hit, cursor));
    pending_path_.clear();
}

// Like the real loop, a caption drag proposes the window's current rectangle (as the
// handler last left it) under the pointer; a border resize moves the grabbed edges.
void fake_window_system::run_move_loop(platform::window_handle w, platform::hit_test_code hit) {
    const std::vector<platform::pixel_point> path = std::move(pending_path_);
    pending_path_.clear();
    const pixel_rect start = window_rect(w);
    const platform::pixel_point grab = cursor;
    const bool moving = hit == platform::htcaption;
    send(w, platform::wm_entersizemove);
    for (const platform::pixel_point& p : path) {
        cursor = p;
        const int dx = p.x - grab.x, dy = p.y - grab.y;
        pixel_rect r = window_rect(w);
        if (moving) {
            const int width = r.right - r.left, height = r.bottom - r.top;
            r.left = start.left + dx;
            r.top = start.top + dy;
            r.right = r.left + width;
            r.bottom = r.top + height;
        } else {
            r = start;
            if (hit == platform::htleft || hit == platform::httopleft || hit == platform::htbottomleft) r.left += dx;
            if (hit == platform::htright || hit == platform::httopright || hit == platform::htbottomright)
                r.right += dx;
            if (hit == platform::httop || hit == platform::httopleft || hit == platform::httopright) r.top += dy;
            if (hit == platform::htbottom || hit == platform::htbottomleft || hit == platform::htbottomright) {
                r.bottom += dy;
            }
        }
        send(w, moving ? platform::window_message::moving(r) : platform::window_message::sizing(r));
        applied.push_back(r);
        place(w, r);
    }
    send(w, platform::wm_exitsizemove);
}

}  // namespace fakes
